#include "export/zip_xml.h"

#include <zip.h>

namespace corpgather::export_detail {

ZipArchive::~ZipArchive() {
    if (archive_)
        zip_discard(archive_);
}

bool ZipArchive::open(const std::string& path, std::string* error) {
    int code = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (archive_)
        return true;
    zip_error_t zipError;
    zip_error_init_with_code(&zipError, code);
    if (error)
        *error = zip_error_strerror(&zipError);
    zip_error_fini(&zipError);
    return false;
}

bool ZipArchive::has(const std::string& name) const {
    return archive_ && zip_name_locate(archive_, name.c_str(), ZIP_FL_NOCASE) >= 0;
}

ZipXmlStream::ZipXmlStream(const ZipArchive& archive, const std::string& name) {
    if (archive.archive_)
        file_ = zip_fopen(archive.archive_, name.c_str(), ZIP_FL_NOCASE);
    if (!file_) {
        error_ = archive.archive_ ? zip_strerror(archive.archive_) : "no archive";
        error_ = name + ": " + error_;
    }
}

ZipXmlStream::~ZipXmlStream() {
    if (file_)
        zip_fclose(file_);
}

bool ZipXmlStream::refill() {
    if (!file_)
        return false;
    const zip_int64_t read = zip_fread(file_, buffer_.data(), buffer_.size());
    if (read < 0) {
        error_ = zip_file_strerror(file_);
        return false;
    }
    if (read == 0)
        return false;
    xml_.addData(QByteArray(buffer_.data(), static_cast<qsizetype>(read)));
    return true;
}

QXmlStreamReader::TokenType ZipXmlStream::next() {
    while (error_.empty() && !ended_) {
        const QXmlStreamReader::TokenType token = xml_.readNext();
        ended_ = token == QXmlStreamReader::EndDocument;
        if (token != QXmlStreamReader::Invalid)
            return token;
        if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && refill())
            continue;
        if (error_.empty() && xml_.error() != QXmlStreamReader::NoError)
            error_ = xml_.errorString().toStdString();
        break;
    }
    return QXmlStreamReader::Invalid;
}

QString ZipXmlStream::elementText() {
    QString text;
    readToElementEnd(&text);
    return text;
}

QString ZipXmlStream::runText() {
    QString text;
    int depth = 1;
    int inText = 0;
    int inPhonetic = 0;
    while (depth > 0) {
        switch (next()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                if (xml_.name() == u"t")
                    ++inText;
                if (xml_.name() == u"rPh")
                    ++inPhonetic;
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                if (xml_.name() == u"t")
                    --inText;
                if (xml_.name() == u"rPh")
                    --inPhonetic;
                break;
            case QXmlStreamReader::Characters:
                if (inText > 0 && inPhonetic == 0)
                    text += xml_.text();
                break;
            case QXmlStreamReader::Invalid:
                return text;
            default:
                break;
        }
    }
    return text;
}

void ZipXmlStream::skipElement() {
    readToElementEnd(nullptr);
}

void ZipXmlStream::readToElementEnd(QString* text) {
    int depth = 1;
    while (depth > 0) {
        const QXmlStreamReader::TokenType token = next();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token == QXmlStreamReader::Characters && text)
            *text += xml_.text();
        if (token == QXmlStreamReader::Invalid)
            return;
    }
}

std::string ZipXmlStream::error() const {
    return error_;
}

}  // namespace corpgather::export_detail

#pragma once

#include <array>
#include <memory>
#include <string>

#include <QXmlStreamReader>

struct zip;
struct zip_file;

// Reading the XML parts of an Office Open XML package straight out of its ZIP archive, a chunk at
// a time, so that a large worksheet is never held whole in memory.
namespace corpgather::export_detail {

class ZipArchive final {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool open(const std::string& path, std::string* error);
    // Entry names compare without letter case, as the package's part names do.
    bool has(const std::string& name) const;

private:
    friend class ZipXmlStream;
    zip* archive_ = nullptr;
};

// One XML part of the archive, parsed as it is read.
class ZipXmlStream final {
public:
    ZipXmlStream(const ZipArchive& archive, const std::string& name);
    ~ZipXmlStream();
    ZipXmlStream(const ZipXmlStream&) = delete;
    ZipXmlStream& operator=(const ZipXmlStream&) = delete;

    // The next token, reading more of the entry as the parser needs it; Invalid at the end of
    // the document or on an error (see error()).
    QXmlStreamReader::TokenType next();
    const QXmlStreamReader& xml() const { return xml_; }

    // Read to the end of the current element (the last token was its start): all its text, or
    // the text of its <t> descendants without the phonetic runs (<rPh>) of a rich text.
    QString elementText();
    QString runText();
    // Skips to the end of the current element.
    void skipElement();

    // Empty unless the entry could not be opened or read, or its XML is broken.
    std::string error() const;

private:
    bool refill();
    // Reads to the end of the current element, adding its text to `text` when given.
    void readToElementEnd(QString* text);

    QXmlStreamReader xml_;
    zip_file* file_ = nullptr;
    std::string error_;
    bool ended_ = false;
    std::array<char, 1 << 16> buffer_;
};

}  // namespace corpgather::export_detail

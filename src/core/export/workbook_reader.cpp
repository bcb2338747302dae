#include "export/workbook_reader.h"

#include <algorithm>

#include <QDir>

#include "export/zip_xml.h"

namespace corpgather::export_detail {
namespace {

struct Relationship {
    QString id;
    QString type;
    std::string part;  // the target, resolved to a part name in the archive
};

std::string resolvePart(const QString& folder, QStringView target) {
    const QString path =
        target.startsWith(u'/') ? target.mid(1).toString() : folder + target.toString();
    return QDir::cleanPath(path).toStdString();
}

QString folderOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? QString()
                                      : QString::fromStdString(part.substr(0, slash + 1));
}

std::string relationshipsPart(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folderOf(part).toStdString() + "_rels/" + file + ".rels";
}

std::vector<Relationship> readRelationships(const ZipArchive& archive, const std::string& part,
                                            const QString& folder) {
    std::vector<Relationship> relationships;
    if (!archive.has(part))
        return relationships;
    ZipXmlStream stream(archive, part);
    while (stream.next() != QXmlStreamReader::Invalid) {
        const QXmlStreamReader& xml = stream.xml();
        if (!xml.isStartElement() || xml.name() != u"Relationship")
            continue;
        if (xml.attributes().value(QLatin1StringView("TargetMode")) == u"External")
            continue;
        relationships.push_back(
            {xml.attributes().value(QLatin1StringView("Id")).toString(),
             xml.attributes().value(QLatin1StringView("Type")).toString(),
             resolvePart(folder, xml.attributes().value(QLatin1StringView("Target")))});
    }
    return relationships;
}

// The relationship id of the named sheet in the workbook part, or empty.
QString sheetRelationship(const ZipArchive& archive, const std::string& workbook,
                          const QString& sheetName, std::string* error) {
    ZipXmlStream stream(archive, workbook);
    QString id;
    while (id.isEmpty() && stream.next() != QXmlStreamReader::Invalid) {
        const QXmlStreamReader& xml = stream.xml();
        if (!xml.isStartElement() || xml.name() != u"sheet")
            continue;
        if (xml.attributes()
                .value(QLatin1StringView("name"))
                .compare(sheetName, Qt::CaseInsensitive) != 0)
            continue;
        for (const QXmlStreamAttribute& attribute : xml.attributes()) {
            if (attribute.name() == u"id")
                id = attribute.value().toString();
        }
    }
    if (error && !stream.error().empty())
        *error = stream.error();
    return id;
}

// Excel writes characters that XML cannot carry as _xHHHH_.
QString decodeEscapes(QString text) {
    if (!text.contains(u"_x"))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const ushort code = QStringView(text).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                decoded += QChar(code);
                i += 6;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

// "AB12" gives column 27 and row 11 (0-based); -1 for a part that is missing.
void cellReference(QStringView reference, int& column, int& row) {
    column = -1;
    row = -1;
    qsizetype i = 0;
    int letters = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        letters = letters * 26 + (reference[i].toUpper().unicode() - u'A' + 1);
    if (i > 0)
        column = letters - 1;
    bool ok = false;
    const int number = reference.mid(i).toInt(&ok);
    if (ok)
        row = number - 1;
}

int formatAttribute(const QXmlStreamReader& xml, const char* name) {
    bool ok = false;
    const int value = xml.attributes().value(QLatin1StringView(name)).toInt(&ok);
    return ok ? value : -1;
}

bool isOn(QStringView value) {
    return value == u"1" || value == u"true";
}

}  // namespace

struct WorkbookReader::Impl {
    ZipArchive archive;
    std::vector<CellFormat> formats;
    std::vector<SheetColumns> columns;
    // The shared strings, UTF-8, end to end; string i runs from offsets[i] to offsets[i + 1].
    std::string sharedText;
    std::vector<std::size_t> sharedOffsets{0};
    std::unique_ptr<ZipXmlStream> sheet;
    bool sheetDone = false;
    int lastRow = -1;

    std::string_view shared(int index) const {
        if (index < 0 || index + 1 >= static_cast<int>(sharedOffsets.size()))
            return {};
        return std::string_view(sharedText)
            .substr(sharedOffsets[index], sharedOffsets[index + 1] - sharedOffsets[index]);
    }

    bool readSharedStrings(const std::string& part, std::string* error) {
        ZipXmlStream stream(archive, part);
        while (stream.next() != QXmlStreamReader::Invalid) {
            if (!stream.xml().isStartElement() || stream.xml().name() != u"si")
                continue;
            sharedText += decodeEscapes(stream.runText()).toStdString();
            sharedOffsets.push_back(sharedText.size());
        }
        if (stream.error().empty())
            return true;
        if (error)
            *error = stream.error();
        return false;
    }

    // Reads up to the start of the sheet's rows, taking the column ranges on the way.
    void openRows() {
        while (sheet->next() != QXmlStreamReader::Invalid) {
            const QXmlStreamReader& xml = sheet->xml();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"sheetData")
                return;
            if (xml.name() != u"col")
                continue;
            SheetColumns range;
            range.first = xml.attributes().value(QLatin1StringView("min")).toInt() - 1;
            range.last = xml.attributes().value(QLatin1StringView("max")).toInt() - 1;
            // Excel adds five pixels of padding to the width it stores (Calibri 11: 7 per digit).
            range.width = std::max(
                0.0, xml.attributes().value(QLatin1StringView("width")).toDouble() - 5.0 / 7.0);
            range.hidden = isOn(xml.attributes().value(QLatin1StringView("hidden")));
            range.format = formatAttribute(xml, "style");
            if (range.first >= 0 && range.last >= range.first)
                columns.push_back(range);
        }
        sheetDone = true;
    }

    void readCell(SheetCell& cell, int previousColumn) {
        const QXmlStreamReader& xml = sheet->xml();
        int row = 0;  // the row element's number counts
        cellReference(xml.attributes().value(QLatin1StringView("r")), cell.column, row);
        if (cell.column < 0)
            cell.column = previousColumn + 1;
        cell.format = formatAttribute(xml, "s");
        const QString type = xml.attributes().value(QLatin1StringView("t")).toString();
        QString value;
        QString formula;
        bool hasValue = false;
        for (;;) {
            const QXmlStreamReader::TokenType token = sheet->next();
            if (token == QXmlStreamReader::Invalid)
                return;
            if (token == QXmlStreamReader::EndElement && sheet->xml().name() == u"c")
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = sheet->xml().name();
            if (name == u"v") {
                value = sheet->elementText();
                hasValue = true;
            } else if (name == u"is") {
                value = sheet->runText();
                hasValue = true;
            } else if (name == u"f") {
                // Cells of a shared or array formula other than its first keep their value only.
                const QStringView kind = sheet->xml().attributes().value(QLatin1StringView("t"));
                const bool usable = kind != u"array" && kind != u"dataTable";
                formula = sheet->elementText();
                if (!usable)
                    formula.clear();
            } else {
                sheet->skipElement();
            }
        }
        cell.formula = formula.toStdString();
        if (type == u"s") {
            cell.kind = SheetCell::Kind::Text;
            cell.text = shared(value.toInt());
        } else if (type == u"inlineStr" || type == u"str" || type == u"d") {
            cell.kind = SheetCell::Kind::Text;
            cell.text = decodeEscapes(value).toStdString();
        } else if (type == u"b") {
            cell.kind = SheetCell::Kind::Boolean;
            cell.number = value.trimmed() == u"1" ? 1 : 0;
        } else if (type == u"e") {
            cell.kind = SheetCell::Kind::Error;
            cell.text = value.toStdString();
        } else if (hasValue && !value.trimmed().isEmpty()) {
            cell.kind = SheetCell::Kind::Number;
            cell.number = value.toDouble();
        }
    }
};

WorkbookReader::WorkbookReader() : impl_(std::make_unique<Impl>()) {}

WorkbookReader::~WorkbookReader() = default;

bool WorkbookReader::open(const std::string& path, std::string_view sheetName, std::string* error) {
    Impl& d = *impl_;
    std::string reason;
    if (!d.archive.open(path, &reason)) {
        if (error)
            *error = "不是 .xlsx 工作簿（" + reason + "）";
        return false;
    }
    std::string workbook = "xl/workbook.xml";
    for (const Relationship& relationship : readRelationships(d.archive, "_rels/.rels", {})) {
        if (relationship.type.endsWith(u"/officeDocument"))
            workbook = relationship.part;
    }
    if (!d.archive.has(workbook)) {
        if (error)
            *error = "不是 .xlsx 工作簿（没有 " + workbook + "）";
        return false;
    }
    const QString sheetId = sheetRelationship(
        d.archive, workbook, QString::fromUtf8(sheetName.data(), sheetName.size()), &reason);
    if (!reason.empty()) {
        if (error)
            *error = reason;
        return false;
    }
    std::string sheetPart;
    for (const Relationship& relationship :
         readRelationships(d.archive, relationshipsPart(workbook), folderOf(workbook))) {
        if (relationship.type.endsWith(u"/styles") &&
            !ReadCellFormats(d.archive, relationship.part, d.formats, error))
            return false;
        if (relationship.type.endsWith(u"/sharedStrings") &&
            !d.readSharedStrings(relationship.part, error))
            return false;
        if (!sheetId.isEmpty() && relationship.id == sheetId)
            sheetPart = relationship.part;
    }
    if (sheetPart.empty())
        return true;
    d.sheet = std::make_unique<ZipXmlStream>(d.archive, sheetPart);
    d.openRows();
    if (d.sheet->error().empty())
        return true;
    if (error)
        *error = d.sheet->error();
    return false;
}

bool WorkbookReader::hasSheet() const {
    return impl_->sheet != nullptr;
}

const std::vector<CellFormat>& WorkbookReader::formats() const {
    return impl_->formats;
}

const std::vector<SheetColumns>& WorkbookReader::columns() const {
    return impl_->columns;
}

bool WorkbookReader::nextRow(SheetRow& row) {
    Impl& d = *impl_;
    if (!d.sheet || d.sheetDone)
        return false;
    while (d.sheet->next() != QXmlStreamReader::Invalid) {
        const QXmlStreamReader& xml = d.sheet->xml();
        if (xml.isEndElement() && xml.name() == u"sheetData")
            break;
        if (!xml.isStartElement() || xml.name() != u"row")
            continue;
        const int number = xml.attributes().value(QLatin1StringView("r")).toInt();
        row.row = number > 0 ? number - 1 : d.lastRow + 1;
        d.lastRow = row.row;
        row.height.reset();
        if (isOn(xml.attributes().value(QLatin1StringView("customHeight"))))
            row.height = xml.attributes().value(QLatin1StringView("ht")).toDouble();
        row.hidden = isOn(xml.attributes().value(QLatin1StringView("hidden")));
        row.format = isOn(xml.attributes().value(QLatin1StringView("customFormat")))
                         ? formatAttribute(xml, "s")
                         : -1;
        row.cells.clear();
        while (d.sheet->next() != QXmlStreamReader::Invalid) {
            if (d.sheet->xml().isEndElement() && d.sheet->xml().name() == u"row")
                return true;
            if (!d.sheet->xml().isStartElement() || d.sheet->xml().name() != u"c")
                continue;
            const int previous = row.cells.empty() ? -1 : row.cells.back().column;
            d.readCell(row.cells.emplace_back(), previous);
        }
        break;
    }
    d.sheetDone = true;
    return false;
}

std::string WorkbookReader::error() const {
    return impl_->sheet ? impl_->sheet->error() : std::string();
}

}  // namespace corpgather::export_detail

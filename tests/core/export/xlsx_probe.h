#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/child_process.h"

// Reads written workbooks back with Python's zipfile and xml.etree (read_xlsx.py), and writes
// an Excel-like workbook to merge into (make_xlsx.py): a reader and a writer independent of the
// program's own code.
namespace corpgather::test {

struct XlsxCell {
    std::string ref;
    std::string type;  // the cell's t attribute: inlineStr, s, n, b, str …
    std::string value;
    std::optional<std::string> formula;
    std::optional<std::string> fill;  // ARGB of a solid fill
    std::optional<std::string> fontColor;
    bool bold = false;
    std::vector<std::string> borders;  // left, right, top, bottom; empty text for none
};

struct XlsxRow {
    int r = 0;  // 1-based, as stored
    std::vector<XlsxCell> cells;

    std::vector<std::string> values() const {
        std::vector<std::string> texts;
        for (const XlsxCell& cell : cells)
            texts.push_back(cell.value);
        return texts;
    }
};

struct XlsxBook {
    std::vector<std::string> sheets;
    std::vector<XlsxRow> rows;
    std::string error;  // empty when the file could be read
};

inline std::filesystem::path scriptPath(const char* name) {
    return std::filesystem::path(__FILE__).parent_path() / name;
}

// Debian's python3 package, standard library only.
inline std::string python() {
    return "/usr/bin/python3";
}

inline std::string text(const QJsonValue& value) {
    return value.toString().toStdString();
}

inline XlsxBook ReadXlsx(const std::string& path, const std::string& sheet = "企业列表") {
    ChildProcess reader(python(), {scriptPath("read_xlsx.py").string(), path, sheet});
    XlsxBook book;
    if (reader.wait() != 0) {
        book.error = "read_xlsx.py failed: " + reader.errors();
        return book;
    }
    const QJsonObject root =
        QJsonDocument::fromJson(QByteArray::fromStdString(reader.output())).object();
    for (const QJsonValue& name : root["sheets"].toArray())
        book.sheets.push_back(text(name));
    for (const QJsonValue& rowValue : root["rows"].toArray()) {
        XlsxRow row;
        row.r = rowValue["r"].toInt();
        for (const QJsonValue& c : rowValue["cells"].toArray()) {
            XlsxCell cell;
            cell.ref = text(c["ref"]);
            cell.type = text(c["type"]);
            cell.value = text(c["value"]);
            if (!c["formula"].isNull())
                cell.formula = text(c["formula"]);
            const QJsonObject style = c["style"].toObject();
            if (!style["fill"].isNull())
                cell.fill = text(style["fill"]);
            if (!style["font_color"].isNull())
                cell.fontColor = text(style["font_color"]);
            cell.bold = style["bold"].toBool();
            for (const char* side : {"left", "right", "top", "bottom"})
                cell.borders.push_back(text(style["border"].toObject()[side]));
            row.cells.push_back(std::move(cell));
        }
        book.rows.push_back(std::move(row));
    }
    return book;
}

// The Excel-like workbook of make_xlsx.py; its 企业列表 sheet uses rows 1, 2, 4 and 5.
inline bool MakeXlsxFixture(const std::string& path, bool withList = true) {
    std::vector<std::string> arguments = {scriptPath("make_xlsx.py").string(), path};
    if (!withList)
        arguments.push_back("--without-list");
    ChildProcess maker(python(), arguments);
    return maker.wait() == 0;
}

}  // namespace corpgather::test

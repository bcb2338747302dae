#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "export/xlsx_styles.h"

// Reads one worksheet of an existing .xlsx workbook row by row, for a merge: the rows are
// streamed from the sheet's XML, never held together.
namespace corpgather::export_detail {

struct SheetCell {
    enum class Kind { Blank, Text, Number, Boolean, Error };

    int column = 0;  // 0-based
    Kind kind = Kind::Blank;
    std::string text;     // Text and Error cells, UTF-8
    double number = 0;    // Number cells, and Boolean ones as 0 or 1
    std::string formula;  // without "=", empty when the cell holds a plain value
    int format = -1;      // index into formats(), -1 for none
};

struct SheetRow {
    int row = 0;  // 0-based
    std::vector<SheetCell> cells;
    std::optional<double> height;  // a custom height, in points
    bool hidden = false;
    int format = -1;
};

struct SheetColumns {
    int first = 0;  // 0-based, inclusive
    int last = 0;
    double width = 0;  // in characters; 0 when the range sets none
    bool hidden = false;
    int format = -1;
};

class WorkbookReader final {
public:
    WorkbookReader();
    ~WorkbookReader();
    WorkbookReader(const WorkbookReader&) = delete;
    WorkbookReader& operator=(const WorkbookReader&) = delete;

    // Opens the workbook and looks for the worksheet of that name (letter case ignored). False
    // with the reason when the file is no readable .xlsx workbook.
    bool open(const std::string& path, std::string_view sheetName, std::string* error);

    bool hasSheet() const;
    const std::vector<CellFormat>& formats() const;
    // The sheet's column ranges, known once it is open.
    const std::vector<SheetColumns>& columns() const;

    // The next row element of the sheet, in file order; false after the last one or when the
    // sheet turns out broken (error() then says why).
    bool nextRow(SheetRow& row);
    std::string error() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corpgather::export_detail

#pragma once

#include <xlsxwriter.h>

#include <cstdint>
#include <string>
#include <vector>

#include "export/workbook_reader.h"

// Carries the rows of an existing worksheet over into a new one for a merge: values, formulas,
// cell formats, column widths, row heights. The new sheet is written in constant-memory mode, so
// the rows go straight through, one at a time.
namespace corpgather::export_detail {

// A colour 0xRRGGBB for libxlsxwriter, which reads 0 as "no colour" and has a value of its own
// for black.
lxw_color_t LxwColor(std::uint32_t rgb);

class SheetCopy final {
public:
    SheetCopy(WorkbookReader& reader, lxw_workbook* workbook, lxw_worksheet* sheet);

    // Applies the old sheet's column ranges; must come before any row is written.
    void copyColumns();
    // Whether one of the old column ranges sets that column (0-based).
    bool coversColumn(int column) const;

    // Copies every row. `nextRow` becomes the row after the last one holding a cell (0 for a
    // sheet without cells). False with the reason when the old sheet cannot be read or written.
    bool copyRows(lxw_row_t& nextRow, std::string* error);

private:
    lxw_format* format(int index);
    lxw_error writeCell(lxw_row_t row, const SheetCell& cell);

    WorkbookReader& reader_;
    lxw_workbook* workbook_;
    lxw_worksheet* sheet_;
    std::vector<lxw_format*> formats_;
    std::vector<bool> made_;
    std::string scratch_;
};

}  // namespace corpgather::export_detail

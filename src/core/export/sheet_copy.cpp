#include "export/sheet_copy.h"

#include "export/cell_text.h"

namespace corpgather::export_detail {
namespace {

void setBorder(lxw_format* format, const BorderSide& side, void (*style)(lxw_format*, uint8_t),
               void (*color)(lxw_format*, lxw_color_t)) {
    if (side.style == LXW_BORDER_NONE)
        return;
    style(format, static_cast<uint8_t>(side.style));
    if (side.color)
        color(format, LxwColor(*side.color));
}

// Excel's textRotation: 0 to 90 upwards, 91 to 180 downwards, 255 stacked.
int rotationOf(int stored) {
    if (stored == 255)
        return 270;
    return stored > 90 ? 90 - stored : stored;
}

void describe(lxw_format* format, const CellFormat& cell) {
    const FontStyle& font = cell.font;
    if (!font.name.empty())
        format_set_font_name(format, font.name.c_str());
    if (font.size > 0)
        format_set_font_size(format, font.size);
    if (font.bold)
        format_set_bold(format);
    if (font.italic)
        format_set_italic(format);
    if (font.strike)
        format_set_font_strikeout(format);
    if (font.underline)
        format_set_underline(format, static_cast<uint8_t>(font.underline));
    if (font.script)
        format_set_font_script(format, static_cast<uint8_t>(font.script));
    if (font.color)
        format_set_font_color(format, LxwColor(*font.color));

    if (cell.numberFormatId >= 164 && !cell.numberFormat.empty())
        format_set_num_format(format, cell.numberFormat.c_str());
    else if (cell.numberFormatId > 0)
        format_set_num_format_index(format, static_cast<uint8_t>(cell.numberFormatId));

    const FillStyle& fill = cell.fill;
    if (fill.pattern != LXW_PATTERN_NONE) {
        format_set_pattern(format, static_cast<uint8_t>(fill.pattern));
        // For a solid fill libxlsxwriter writes its background colour as the pattern colour.
        if (fill.pattern == LXW_PATTERN_SOLID) {
            if (fill.foreground)
                format_set_bg_color(format, LxwColor(*fill.foreground));
        } else {
            if (fill.foreground)
                format_set_fg_color(format, LxwColor(*fill.foreground));
            if (fill.background)
                format_set_bg_color(format, LxwColor(*fill.background));
        }
    }

    setBorder(format, cell.left, format_set_left, format_set_left_color);
    setBorder(format, cell.right, format_set_right, format_set_right_color);
    setBorder(format, cell.top, format_set_top, format_set_top_color);
    setBorder(format, cell.bottom, format_set_bottom, format_set_bottom_color);

    if (cell.horizontal)
        format_set_align(format, static_cast<uint8_t>(cell.horizontal));
    if (cell.vertical)
        format_set_align(format, static_cast<uint8_t>(cell.vertical));
    if (cell.wrap)
        format_set_text_wrap(format);
    if (cell.shrink)
        format_set_shrink(format);
    if (cell.indent > 0)
        format_set_indent(format, static_cast<uint8_t>(cell.indent));
    if (cell.rotation)
        format_set_rotation(format, static_cast<int16_t>(rotationOf(cell.rotation)));
}

}  // namespace

lxw_color_t LxwColor(std::uint32_t rgb) {
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

SheetCopy::SheetCopy(WorkbookReader& reader, lxw_workbook* workbook, lxw_worksheet* sheet)
    : reader_(reader),
      workbook_(workbook),
      sheet_(sheet),
      formats_(reader.formats().size(), nullptr),
      made_(reader.formats().size(), false) {}

lxw_format* SheetCopy::format(int index) {
    // Index 0 is the workbook's default format, which the new workbook has as well.
    if (index <= 0 || index >= static_cast<int>(formats_.size()))
        return nullptr;
    if (!made_[index]) {
        formats_[index] = workbook_add_format(workbook_);
        describe(formats_[index], reader_.formats()[index]);
        made_[index] = true;
    }
    return formats_[index];
}

void SheetCopy::copyColumns() {
    for (const SheetColumns& range : reader_.columns()) {
        lxw_row_col_options options = {};
        options.hidden = range.hidden;
        const double width = range.width > 0 ? range.width : LXW_DEF_COL_WIDTH;
        worksheet_set_column_opt(sheet_, static_cast<lxw_col_t>(range.first),
                                 static_cast<lxw_col_t>(range.last), width, format(range.format),
                                 &options);
    }
}

bool SheetCopy::coversColumn(int column) const {
    for (const SheetColumns& range : reader_.columns()) {
        if (column >= range.first && column <= range.last)
            return true;
    }
    return false;
}

lxw_error SheetCopy::writeCell(lxw_row_t row, const SheetCell& cell) {
    const auto column = static_cast<lxw_col_t>(cell.column);
    lxw_format* const cellFormat = format(cell.format);
    const char* const formula = cell.formula.empty() ? nullptr : cell.formula.c_str();
    lxw_error result = LXW_NO_ERROR;
    switch (cell.kind) {
        case SheetCell::Kind::Text:
        case SheetCell::Kind::Error: {
            const std::string& text = CellText(cell.text, scratch_);
            result = formula
                         ? worksheet_write_formula_str(sheet_, row, column, formula, cellFormat,
                                                       text.c_str())
                         : worksheet_write_string(sheet_, row, column, text.c_str(), cellFormat);
            break;
        }
        case SheetCell::Kind::Number:
            result = formula ? worksheet_write_formula_num(sheet_, row, column, formula, cellFormat,
                                                           cell.number)
                             : worksheet_write_number(sheet_, row, column, cell.number, cellFormat);
            break;
        case SheetCell::Kind::Boolean:
            result = formula ? worksheet_write_formula_num(sheet_, row, column, formula, cellFormat,
                                                           cell.number)
                             : worksheet_write_boolean(sheet_, row, column, cell.number != 0,
                                                       cellFormat);
            break;
        case SheetCell::Kind::Blank:
            result = formula ? worksheet_write_formula(sheet_, row, column, formula, cellFormat)
                             : worksheet_write_blank(sheet_, row, column, cellFormat);
            break;
    }
    return result;
}

bool SheetCopy::copyRows(lxw_row_t& nextRow, std::string* error) {
    nextRow = 0;
    SheetRow row;
    while (reader_.nextRow(row)) {
        const auto index = static_cast<lxw_row_t>(row.row);
        if (row.height || row.hidden || row.format >= 0) {
            lxw_row_col_options options = {};
            options.hidden = row.hidden;
            worksheet_set_row_opt(sheet_, index, row.height.value_or(LXW_DEF_ROW_HEIGHT),
                                  format(row.format), &options);
        }
        for (const SheetCell& cell : row.cells) {
            const lxw_error result = writeCell(index, cell);
            if (result != LXW_NO_ERROR) {
                if (error)
                    *error = "第 " + std::to_string(row.row + 1) + " 行无法复制（" +
                             lxw_strerror(result) + "）";
                return false;
            }
        }
        if (!row.cells.empty())
            nextRow = index + 1;
    }
    if (reader_.error().empty())
        return true;
    if (error)
        *error = reader_.error();
    return false;
}

}  // namespace corpgather::export_detail

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corpgather::export_detail {

class ZipArchive;

// The cell formats of a workbook's styles part, as far as a merge carries them over: font, fill,
// borders, number format, alignment. Enumerated values use libxlsxwriter's numbering (pattern,
// border style, alignment, underline, script); colours are 0xRRGGBB. Theme colours are not
// resolved and read as "automatic".
struct FontStyle {
    std::string name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    int underline = 0;
    int script = 0;
    std::optional<std::uint32_t> color;
};

struct FillStyle {
    int pattern = 0;
    std::optional<std::uint32_t> foreground;
    std::optional<std::uint32_t> background;
};

struct BorderSide {
    int style = 0;
    std::optional<std::uint32_t> color;
};

struct CellFormat {
    int numberFormatId = 0;
    std::string numberFormat;  // the code of a custom format (id 164 and up)
    FontStyle font;
    FillStyle fill;
    BorderSide left, right, top, bottom;
    int horizontal = 0;
    int vertical = 0;
    bool wrap = false;
    bool shrink = false;
    int indent = 0;
    int rotation = 0;
};

// The cell formats (cellXfs) of the styles part `name`, in index order. False with an error when
// the part cannot be read.
bool ReadCellFormats(const ZipArchive& archive, const std::string& name,
                     std::vector<CellFormat>& formats, std::string* error);

}  // namespace corpgather::export_detail

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The export's style presets: the pick-list entries and the colours each preset paints.
namespace corpgather {

enum class ExportStyle {
    Brick,
    Desert,
    Eggplant,
    Lilac,
    Maple,
    Marine,
    MSMoney,
    Normal,
    PriceList,
    Rose,
    Spruce,
    Wheat,
};

struct ExportStyleEntry {
    std::string_view text;    // the pick-list entry, e.g. "样式8(esNormal)"
    std::string_view preset;  // e.g. "esNormal"
    ExportStyle style;
};

// The 12 entries in pick-list order.
std::span<const ExportStyleEntry> ExportStyleEntries();

inline constexpr ExportStyle kDefaultExportStyle = ExportStyle::Normal;

// The preset of that name, "esBrick" or "Brick", in any letter case.
std::optional<ExportStyle> ExportStyleByName(std::string_view name);

// Colours as 0xRRGGBB.
struct StylePalette {
    std::uint32_t captionFill;
    std::uint32_t captionFont;
    std::uint32_t rowFill;   // records 1, 3, 5 …
    std::uint32_t bandFill;  // records 2, 4, 6 …
    std::uint32_t rowFont;
    std::uint32_t lines;
};

// The colours of a preset; none for esNormal, which paints plain cells with black lines.
std::optional<StylePalette> StylePaletteOf(ExportStyle style);

}  // namespace corpgather

#include "export/export_styles.h"

#include <array>

namespace corpgather {
namespace {

using S = ExportStyle;

constexpr std::array<ExportStyleEntry, 12> kEntries = {{
    {"样式1(esBrick)[速度慢]", "esBrick", S::Brick},
    {"样式2(esDesert[速度慢])", "esDesert", S::Desert},
    {"样式3(esEggplant[速度慢])", "esEggplant", S::Eggplant},
    {"样式4(esLilac)[速度慢]", "esLilac", S::Lilac},
    {"样式5(esMaple)[速度慢]", "esMaple", S::Maple},
    {"样式6(esMarine)[速度慢]", "esMarine", S::Marine},
    {"样式7(esMSMoney)[速度慢]", "esMSMoney", S::MSMoney},
    {"样式8(esNormal)", "esNormal", S::Normal},
    {"样式9(esPriceList)[速度慢]", "esPriceList", S::PriceList},
    {"样式10(esRose)[速度慢]", "esRose", S::Rose},
    {"样式11(esSpruce)[速度慢]", "esSpruce", S::Spruce},
    {"样式12(esWheat)[速度慢]", "esWheat", S::Wheat},
}};

struct PaletteOf {
    ExportStyle style;
    StylePalette palette;
};

// Our own colours, after the names: caption fill and font, the two record bands, record font,
// lines.
constexpr std::array<PaletteOf, 11> kPalettes = {{
    {S::Brick, {0x9C3D26, 0xFFFFFF, 0xFBEAE4, 0xFFFFFF, 0x4A1A0E, 0xC98A76}},
    {S::Desert, {0xD9B98C, 0x4A3820, 0xFFF8EA, 0xF6E8CF, 0x4A3820, 0xC4A67A}},
    {S::Eggplant, {0x4E2A4F, 0xFFFFFF, 0xF1E7F1, 0xFFFFFF, 0x2E1830, 0x9A7A9B}},
    {S::Lilac, {0xB79FCB, 0xFFFFFF, 0xF5F0FA, 0xE9E0F2, 0x3F2E52, 0xC9B7D9}},
    {S::Maple, {0xC4501B, 0xFFFFFF, 0xFDEEDB, 0xFFF8EE, 0x5A2A0A, 0xDDA071}},
    {S::Marine, {0x1F4E79, 0xFFFFFF, 0xDDEBF7, 0xFFFFFF, 0x0F2740, 0x7FA7CF}},
    {S::MSMoney, {0x00665E, 0xFFFFFF, 0xE0F2EF, 0xFFFFFF, 0x003A35, 0x6FA89F}},
    {S::PriceList, {0x333333, 0xFFFF99, 0xFFFFE6, 0xFFFFFF, 0x000000, 0x999999}},
    {S::Rose, {0xC2185B, 0xFFFFFF, 0xFCE4EC, 0xFFFFFF, 0x5C0A2B, 0xE391B0}},
    {S::Spruce, {0x2F5546, 0xFFFFFF, 0xE3EDE8, 0xFFFFFF, 0x1A3028, 0x8FAF9F}},
    {S::Wheat, {0xDEB887, 0x5C4033, 0xFFF8DC, 0xF5E9C8, 0x5C4033, 0xC9A66B}},
}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::span<const ExportStyleEntry> ExportStyleEntries() {
    return kEntries;
}

std::optional<ExportStyle> ExportStyleByName(std::string_view name) {
    for (const ExportStyleEntry& entry : kEntries) {
        if (sameLetters(name, entry.preset) || sameLetters(name, entry.preset.substr(2)))
            return entry.style;
    }
    return std::nullopt;
}

std::optional<StylePalette> StylePaletteOf(ExportStyle style) {
    for (const PaletteOf& entry : kPalettes) {
        if (entry.style == style)
            return entry.palette;
    }
    return std::nullopt;
}

}  // namespace corpgather

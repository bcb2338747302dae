#include "export/xlsx_styles.h"

#include <xlsxwriter/format.h>

#include <array>
#include <string_view>

#include "export/zip_xml.h"

namespace corpgather::export_detail {
namespace {

// Colours 0 to 63 of the legacy palette that "indexed" colours refer to.
constexpr std::array<std::uint32_t, 64> kIndexedColors = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

// Names in libxlsxwriter's order of LXW_PATTERN_*, LXW_BORDER_*, LXW_UNDERLINE_*.
constexpr std::array<std::u16string_view, 19> kPatterns = {
    u"none",           u"solid",           u"mediumGray",    u"darkGray",  u"lightGray",
    u"darkHorizontal", u"darkVertical",    u"darkDown",      u"darkUp",    u"darkGrid",
    u"darkTrellis",    u"lightHorizontal", u"lightVertical", u"lightDown", u"lightUp",
    u"lightGrid",      u"lightTrellis",    u"gray125",       u"gray0625",
};
constexpr std::array<std::u16string_view, 14> kBorders = {
    u"none",
    u"thin",
    u"medium",
    u"dashed",
    u"dotted",
    u"thick",
    u"double",
    u"hair",
    u"mediumDashed",
    u"dashDot",
    u"mediumDashDot",
    u"dashDotDot",
    u"mediumDashDotDot",
    u"slantDashDot",
};
constexpr std::array<std::u16string_view, 5> kUnderlines = {
    u"none", u"single", u"double", u"singleAccounting", u"doubleAccounting"};

template <std::size_t N>
int indexOf(const std::array<std::u16string_view, N>& names, QStringView name, int fallback) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i])
            return static_cast<int>(i);
    }
    return fallback;
}

struct Alignment {
    std::u16string_view name;
    int value;
};

constexpr std::array<Alignment, 7> kHorizontal = {{
    {u"left", LXW_ALIGN_LEFT},
    {u"center", LXW_ALIGN_CENTER},
    {u"right", LXW_ALIGN_RIGHT},
    {u"fill", LXW_ALIGN_FILL},
    {u"justify", LXW_ALIGN_JUSTIFY},
    {u"centerContinuous", LXW_ALIGN_CENTER_ACROSS},
    {u"distributed", LXW_ALIGN_DISTRIBUTED},
}};
constexpr std::array<Alignment, 5> kVertical = {{
    {u"top", LXW_ALIGN_VERTICAL_TOP},
    {u"center", LXW_ALIGN_VERTICAL_CENTER},
    {u"bottom", LXW_ALIGN_VERTICAL_BOTTOM},
    {u"justify", LXW_ALIGN_VERTICAL_JUSTIFY},
    {u"distributed", LXW_ALIGN_VERTICAL_DISTRIBUTED},
}};

template <std::size_t N>
int alignmentOf(const std::array<Alignment, N>& table, QStringView name) {
    for (const Alignment& entry : table) {
        if (name == entry.name)
            return entry.value;
    }
    return LXW_ALIGN_NONE;
}

QStringView attribute(const QXmlStreamReader& xml, const char* name) {
    return xml.attributes().value(QLatin1StringView(name));
}

int intAttribute(const QXmlStreamReader& xml, const char* name) {
    return attribute(xml, name).toInt();
}

// <b/>, <b val="1"/>, <b val="true"/> are on; <b val="0"/> is off.
bool flag(const QXmlStreamReader& xml) {
    const QStringView value = attribute(xml, "val");
    return value.isEmpty() || value == u"1" || value == u"true";
}

bool flagAttribute(const QXmlStreamReader& xml, const char* name) {
    const QStringView value = attribute(xml, name);
    return value == u"1" || value == u"true";
}

std::optional<std::uint32_t> color(const QXmlStreamReader& xml) {
    const QStringView rgb = attribute(xml, "rgb");
    if (!rgb.isEmpty()) {
        bool ok = false;
        const std::uint32_t value = rgb.toUInt(&ok, 16) & 0xFFFFFF;
        if (ok)
            return value;
    }
    if (xml.attributes().hasAttribute(QLatin1StringView("indexed"))) {
        const int index = intAttribute(xml, "indexed");
        if (index >= 0 && index < static_cast<int>(kIndexedColors.size()))
            return kIndexedColors[index];
    }
    return std::nullopt;
}

class StylesParser final {
public:
    explicit StylesParser(ZipXmlStream& stream) : stream_(stream), xml_(stream.xml()) {}

    void run(std::vector<CellFormat>& formats) {
        while (stream_.next() != QXmlStreamReader::Invalid) {
            if (!xml_.isStartElement())
                continue;
            const QStringView name = xml_.name();
            if (name == u"numFmt") {
                numberFormats_.emplace_back(intAttribute(xml_, "numFmtId"),
                                            attribute(xml_, "formatCode").toString().toStdString());
            } else if (name == u"font") {
                fonts_.push_back(readFont());
            } else if (name == u"fill") {
                fills_.push_back(readFill());
            } else if (name == u"border") {
                borders_.push_back(readBorder());
            } else if (name == u"cellXfs") {
                readFormats(formats);
            } else if (name == u"cellStyleXfs" || name == u"dxfs") {
                stream_.skipElement();
            }
        }
    }

private:
    struct Border {
        BorderSide left, right, top, bottom;
    };

    FontStyle readFont() {
        FontStyle font;
        forChildren([&](QStringView name) {
            if (name == u"b")
                font.bold = flag(xml_);
            if (name == u"i")
                font.italic = flag(xml_);
            if (name == u"strike")
                font.strike = flag(xml_);
            if (name == u"u") {
                const QStringView value = attribute(xml_, "val");
                font.underline = value.isEmpty() ? LXW_UNDERLINE_SINGLE
                                                 : indexOf(kUnderlines, value, LXW_UNDERLINE_NONE);
            }
            if (name == u"vertAlign") {
                const QStringView value = attribute(xml_, "val");
                font.script = value == u"superscript" ? LXW_FONT_SUPERSCRIPT
                              : value == u"subscript" ? LXW_FONT_SUBSCRIPT
                                                      : 0;
            }
            if (name == u"sz")
                font.size = attribute(xml_, "val").toDouble();
            if (name == u"name")
                font.name = attribute(xml_, "val").toString().toStdString();
            if (name == u"color")
                font.color = color(xml_);
        });
        return font;
    }

    FillStyle readFill() {
        FillStyle fill;
        forChildren([&](QStringView name) {
            if (name == u"patternFill")
                fill.pattern = indexOf(kPatterns, attribute(xml_, "patternType"), LXW_PATTERN_NONE);
            if (name == u"fgColor")
                fill.foreground = color(xml_);
            if (name == u"bgColor")
                fill.background = color(xml_);
        });
        return fill;
    }

    Border readBorder() {
        Border border;
        BorderSide* side = nullptr;
        forChildren([&](QStringView name) {
            BorderSide* const found = name == u"left" || name == u"start"  ? &border.left
                                      : name == u"right" || name == u"end" ? &border.right
                                      : name == u"top"                     ? &border.top
                                      : name == u"bottom"                  ? &border.bottom
                                                                           : nullptr;
            if (found || name == u"diagonal") {
                side = found;
                if (side)
                    side->style = indexOf(kBorders, attribute(xml_, "style"), LXW_BORDER_NONE);
            } else if (name == u"color" && side) {
                side->color = color(xml_);
            }
        });
        return border;
    }

    void readFormats(std::vector<CellFormat>& formats) {
        forChildren([&](QStringView name) {
            if (name == u"xf") {
                formats.push_back(
                    formatOf(intAttribute(xml_, "numFmtId"), intAttribute(xml_, "fontId"),
                             intAttribute(xml_, "fillId"), intAttribute(xml_, "borderId")));
            } else if (name == u"alignment" && !formats.empty()) {
                CellFormat& format = formats.back();
                format.horizontal = alignmentOf(kHorizontal, attribute(xml_, "horizontal"));
                format.vertical = alignmentOf(kVertical, attribute(xml_, "vertical"));
                format.wrap = flagAttribute(xml_, "wrapText");
                format.shrink = flagAttribute(xml_, "shrinkToFit");
                format.indent = intAttribute(xml_, "indent");
                format.rotation = intAttribute(xml_, "textRotation");
            }
        });
    }

    CellFormat formatOf(int numberFormat, int font, int fill, int border) const {
        CellFormat format;
        format.numberFormatId = numberFormat;
        for (const auto& [id, code] : numberFormats_) {
            if (id == numberFormat)
                format.numberFormat = code;
        }
        if (font >= 0 && font < static_cast<int>(fonts_.size()))
            format.font = fonts_[font];
        if (fill >= 0 && fill < static_cast<int>(fills_.size()))
            format.fill = fills_[fill];
        if (border >= 0 && border < static_cast<int>(borders_.size())) {
            const Border& b = borders_[border];
            format.left = b.left;
            format.right = b.right;
            format.top = b.top;
            format.bottom = b.bottom;
        }
        return format;
    }

    // Calls `visit` with the name of every element below the current one, in document order.
    template <typename Visit>
    void forChildren(Visit visit) {
        int depth = 1;
        while (depth > 0) {
            const QXmlStreamReader::TokenType token = stream_.next();
            if (token == QXmlStreamReader::Invalid)
                return;
            if (token == QXmlStreamReader::StartElement) {
                ++depth;
                visit(xml_.name());
            } else if (token == QXmlStreamReader::EndElement) {
                --depth;
            }
        }
    }

    ZipXmlStream& stream_;
    const QXmlStreamReader& xml_;
    std::vector<std::pair<int, std::string>> numberFormats_;
    std::vector<FontStyle> fonts_;
    std::vector<FillStyle> fills_;
    std::vector<Border> borders_;
};

}  // namespace

bool ReadCellFormats(const ZipArchive& archive, const std::string& name,
                     std::vector<CellFormat>& formats, std::string* error) {
    ZipXmlStream stream(archive, name);
    StylesParser(stream).run(formats);
    if (stream.error().empty())
        return true;
    if (error)
        *error = stream.error();
    return false;
}

}  // namespace corpgather::export_detail

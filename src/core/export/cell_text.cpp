#include "export/cell_text.h"

#include <cstdint>
#include <string_view>

namespace corpgather {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kEscapedUnderscore = "_x005F";

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_xHHHH_" at `i`: Excel would read it as an escaped character.
bool looksEscaped(std::string_view text, std::size_t i) {
    return i + 6 < text.size() && text[i] == '_' && text[i + 1] == 'x' && isHex(text[i + 2]) &&
           isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]) && text[i + 6] == '_';
}

// The length of the well-formed UTF-8 sequence at `i`, 0 when there is none; `allowed` tells
// whether XML can carry its character, `units` its UTF-16 length.
std::size_t sequenceAt(std::string_view text, std::size_t i, bool& allowed, std::size_t& units) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(k) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF)
        return 0;
    allowed = code != 0xFFFE && code != 0xFFFF;
    units = code > 0xFFFF ? 2 : 1;
    return length;
}

// Walks the text piece by piece: one character, an escaped underscore, or a replaced byte.
// `emit` gets the piece's text and UTF-16 length and answers whether to go on.
template <typename Emit>
void walk(std::string_view text, Emit emit) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\0') {
            if (!emit(kReplacement, 1, true))
                return;
            ++i;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80) {
            const bool escape = c == '_' && looksEscaped(text, i);
            if (escape && !emit(kEscapedUnderscore, kEscapedUnderscore.size(), true))
                return;
            if (!emit(text.substr(i, 1), 1, false))
                return;
            ++i;
            continue;
        }
        bool allowed = false;
        std::size_t units = 0;
        const std::size_t length = sequenceAt(text, i, allowed, units);
        const bool ok =
            allowed ? emit(text.substr(i, length), units, false) : emit(kReplacement, 1, true);
        if (!ok)
            return;
        i += length > 0 ? length : 1;
    }
}

}  // namespace

const std::string& CellText(const std::string& value, std::string& scratch) {
    std::size_t units = 0;
    bool change = false;
    walk(value, [&](std::string_view, std::size_t pieceUnits, bool altered) {
        units += pieceUnits;
        change = altered || units > kMaxCellCharacters;
        return !change;
    });
    if (!change)
        return value;

    scratch.clear();
    units = 0;
    walk(value, [&](std::string_view piece, std::size_t pieceUnits, bool) {
        if (units + pieceUnits > kMaxCellCharacters)
            return false;
        units += pieceUnits;
        scratch += piece;
        return true;
    });
    return scratch;
}

}  // namespace corpgather

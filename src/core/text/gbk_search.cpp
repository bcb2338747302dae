#include "text/gbk_search.h"

#include <cstring>

namespace corpgather {
namespace {

constexpr auto npos = std::string_view::npos;

bool isLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

bool isTrailByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// A lead byte without a valid trail byte after it stands alone, as the decoder reads it.
size_t charLength(std::string_view text, size_t pos) {
    return isLeadByte(text[pos]) && pos + 1 < text.size() && isTrailByte(text[pos + 1]) ? 2 : 1;
}

bool hasZero(std::string_view text, size_t length) {
    return std::memchr(text.data(), '\0', length) != nullptr;
}

size_t visibleLength(std::string_view text) {
    return text.substr(0, text.find('\0')).size();
}

}  // namespace

size_t FindAtCharStart(std::string_view text, std::string_view needle) {
    size_t boundary = 0;
    for (size_t hit = text.find(needle); hit != npos; hit = text.find(needle, hit + 1)) {
        while (boundary < hit)
            boundary += charLength(text, boundary);
        if (boundary == hit)
            return hit;
    }
    return npos;
}

// Every match is checked for a zero byte before its end, rather than cutting the text at its
// first zero beforehand, so a cut near the front costs only the bytes up to it.
MarkedCut CutMarked(std::string_view source, std::string_view start, std::string_view end) {
    const size_t startAt = FindAtCharStart(source, start);
    if (startAt == npos || hasZero(source, startAt + start.size())) {
        return {npos, visibleLength(source), {}};
    }
    const std::string_view rest = source.substr(startAt + start.size());
    const size_t endAt = FindAtCharStart(rest, end);
    if (endAt == npos || hasZero(rest, endAt + end.size()))
        return {startAt, startAt, {}};
    return {startAt, startAt, rest.substr(0, endAt)};
}

GbkReadings::GbkReadings(std::string_view text)
    : start_(text.size() + 1, false), meet_(text.size() + 1) {
    for (size_t pos = 0; pos < text.size(); pos += charLength(text, pos))
        start_[pos] = true;
    start_[text.size()] = true;
    meet_[text.size()] = text.size();
    // The reading from `pos` goes on as the one from the end of its first character.
    for (size_t pos = text.size(); pos-- > 0;) {
        meet_[pos] = start_[pos] ? pos : meet_[pos + charLength(text, pos)];
    }
}

bool GbkReadings::startsChar(size_t anchor, size_t pos) const {
    // Before they meet, the two readings never share a character start, and no byte is the
    // second of a character in both; so each byte there starts a character in exactly one.
    return pos >= meet_[anchor] ? start_[pos] : !start_[pos];
}

}  // namespace corpgather

#include "text/gbk_search.h"

namespace corpgather {
namespace {

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

}  // namespace

size_t FindAtCharStart(std::string_view text, std::string_view needle) {
    size_t boundary = 0;
    for (size_t hit = text.find(needle); hit != std::string_view::npos;
         hit = text.find(needle, hit + 1)) {
        while (boundary < hit)
            boundary += charLength(text, boundary);
        if (boundary == hit)
            return hit;
    }
    return std::string_view::npos;
}

bool IsCharStart(std::string_view text, size_t anchor, size_t pos) {
    // Within a run of lead-range bytes every byte is also a valid trail, so the run pairs up
    // from its first byte, which always begins a character.
    size_t run = 0;
    while (pos - run > anchor && isLeadByte(text[pos - run - 1]))
        ++run;
    if (run % 2 == 0)
        return true;
    return pos >= text.size() || !isTrailByte(text[pos]);
}

MarkedCut CutMarked(std::string_view source, std::string_view start, std::string_view end) {
    source = source.substr(0, source.find('\0'));
    const size_t startAt = FindAtCharStart(source, start);
    if (startAt == std::string_view::npos)
        return {source.size(), startAt, {}};
    const std::string_view rest = source.substr(startAt + start.size());
    const size_t endAt = FindAtCharStart(rest, end);
    if (endAt == std::string_view::npos)
        return {source.size(), startAt, {}};
    return {source.size(), startAt, rest.substr(0, endAt)};
}

}  // namespace corpgather

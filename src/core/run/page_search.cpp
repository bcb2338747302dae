#include "run/page_search.h"

#include <string.h>

#include <algorithm>

#include "text/text_markers.h"

namespace corpgather {
namespace {

constexpr auto npos = std::string_view::npos;

// No trail byte of a double-byte GBK character lies below 0x40.
bool beginsEveryCharacter(std::string_view marker) {
    return !marker.empty() && static_cast<unsigned char>(marker[0]) < 0x40;
}

}  // namespace

std::size_t FindFirst(std::string_view page, std::string_view marker) {
    const void* hit = memmem(page.data(), page.size(), marker.data(), marker.size());
    return hit ? static_cast<const char*>(hit) - page.data() : npos;
}

std::string_view FromAnchor(std::string_view page, std::string_view anchor) {
    const std::size_t at = FindFirst(page, anchor);
    return at == npos ? std::string_view() : page.substr(at);
}

std::string PageBetweenText(std::string_view page, std::string_view start, std::string_view end) {
    // Only such a marker's first occurrence is sure to begin a character, so only then is it
    // the one BetweenText accepts; its search also stops at the first zero byte.
    if (!beginsEveryCharacter(start))
        return BetweenText(page, start, end);
    const std::size_t at = FindFirst(page, start);
    if (at == npos || memchr(page.data(), '\0', at) != nullptr)
        return {};
    return BetweenText(page.substr(at), start, end);
}

int PageHeaderColumnIndex(std::string_view page, std::string_view anchor, std::size_t anchorAt) {
    // The routine looks back from the anchor to the last "<tr>", or three bytes without one.
    std::size_t rowStart = page.substr(0, anchorAt).rfind("<tr>");
    if (rowStart == npos)
        rowStart = anchorAt - std::min<std::size_t>(3, anchorAt);
    return HeaderColumnIndex(page.substr(rowStart), anchor);
}

}  // namespace corpgather

#include "run/page_search.h"

#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <numeric>

#include "text/text_markers.h"

namespace corpgather {
namespace {

constexpr auto npos = std::string_view::npos;

// A shared beginning shorter than this occurs too often in a page to be worth a pass of its own.
constexpr std::size_t kShortestKey = 4;

std::size_t sharedLength(std::string_view a, std::string_view b) {
    return std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first -
           a.begin();
}

#if defined(__SSE2__)
// memmem skips ahead by up to the marker's length, so on a marker of a few bytes it crawls (some
// 3 GB/s on "<th>"). Comparing the marker's first and last byte with 16 page bytes at a time
// and checking only where both match is about three times as fast there.
constexpr std::size_t kLongMarker = 12;

std::size_t findShort(std::string_view page, std::string_view marker) {
    const std::size_t length = marker.size();
    if (page.size() < length)
        return npos;
    const std::size_t starts = page.size() - length + 1;
    const __m128i first = _mm_set1_epi8(marker.front());
    const __m128i last = _mm_set1_epi8(marker.back());
    std::size_t at = 0;
    for (; at + 16 <= starts; at += 16) {
        const auto* front = reinterpret_cast<const __m128i*>(page.data() + at);
        const auto* back = reinterpret_cast<const __m128i*>(page.data() + at + length - 1);
        unsigned both =
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_loadu_si128(front), first),
                                            _mm_cmpeq_epi8(_mm_loadu_si128(back), last)));
        for (; both != 0; both &= both - 1) {
            const std::size_t candidate = at + __builtin_ctz(both);
            if (memcmp(page.data() + candidate, marker.data(), length) == 0)
                return candidate;
        }
    }
    for (; at < starts; ++at) {
        if (memcmp(page.data() + at, marker.data(), length) == 0)
            return at;
    }
    return npos;
}
#endif

// No trail byte of a double-byte GBK character lies below 0x40.
bool beginsEveryCharacter(std::string_view marker) {
    return !marker.empty() && static_cast<unsigned char>(marker[0]) < 0x40;
}

}  // namespace

std::size_t FindFirst(std::string_view page, std::string_view marker) {
#if defined(__SSE2__)
    if (marker.size() >= 2 && marker.size() < kLongMarker)
        return findShort(page, marker);
#endif
    const void* hit = memmem(page.data(), page.size(), marker.data(), marker.size());
    return hit ? static_cast<const char*>(hit) - page.data() : npos;
}

std::string_view FromAnchor(std::string_view page, std::string_view anchor) {
    const std::size_t at = FindFirst(page, anchor);
    return at == npos ? std::string_view() : page.substr(at);
}

MarkerFinder::MarkerFinder(std::vector<std::string> markers) : markers_(std::move(markers)) {
    std::vector<std::size_t> order(markers_.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return markers_[a] < markers_[b]; });
    for (const std::size_t index : order) {
        const std::string& marker = markers_[index];
        if (!groups_.empty()) {
            Group& last = groups_.back();
            const std::size_t shared = sharedLength(last.key, marker);
            if (shared >= kShortestKey) {
                last.key.resize(shared);
                last.members.push_back(index);
                continue;
            }
        }
        groups_.push_back({marker, {index}});
    }
}

std::vector<std::size_t> MarkerFinder::find(std::string_view page) const {
    std::vector<std::size_t> found(markers_.size(), npos);
    for (const Group& group : groups_) {
        std::size_t left = group.members.size();
        // Every occurrence of a member begins with an occurrence of the key, so the first key
        // at which a member matches is that member's first occurrence.
        for (std::size_t from = 0; left > 0 && from < page.size(); ++from) {
            const std::size_t at = FindFirst(page.substr(from), group.key);
            if (at == npos)
                break;
            from += at;
            for (const std::size_t member : group.members) {
                if (found[member] == npos && page.substr(from).starts_with(markers_[member])) {
                    found[member] = from;
                    --left;
                }
            }
        }
    }
    return found;
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

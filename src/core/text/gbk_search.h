#pragma once

#include <cstddef>
#include <string_view>

// Marker search that respects GBK character boundaries, counted from the start of the text
// that is searched.
namespace corpgather {

// The first occurrence of `needle` that begins a character; npos when there is none.
size_t FindAtCharStart(std::string_view text, std::string_view needle);

// Whether `pos` begins a character when `text` is read from `anchor` (<= pos) on. Costs only
// the run of lead-range bytes right before `pos`, never more than pos - anchor.
bool IsCharStart(std::string_view text, size_t anchor, size_t pos);

// One cut of BetweenText: how far the search could see (up to the first zero byte), where the
// accepted start marker begins (npos when none) and the text found (a view into the source).
struct MarkedCut {
    size_t seen;
    size_t startAt;
    std::string_view text;
};

MarkedCut CutMarked(std::string_view source, std::string_view start, std::string_view end);

}  // namespace corpgather

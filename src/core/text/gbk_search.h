#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Marker search that respects GBK character boundaries, counted from the start of the text
// that is searched.
namespace corpgather {

// The first occurrence of `needle` that begins a character; npos when there is none.
size_t FindAtCharStart(std::string_view text, std::string_view needle);

// One cut of BetweenText. `reach` is how far a later start of the search may lie, on a
// character start of this reading, and still give the same cut: the accepted start marker, or
// without one the end of what the search could see.
struct MarkedCut {
    size_t startAt;  // npos when no start marker was accepted
    size_t reach;
    std::string_view text;  // a view into the source
};

// BetweenText's cut: the text is seen up to its first zero byte only.
MarkedCut CutMarked(std::string_view source, std::string_view start, std::string_view end);

// The readings of a text that begin at each of its bytes. Two readings agree wherever both see
// a character start, and from there on; this tells in constant time where a byte stands in the
// reading that begins at another.
class GbkReadings final {
public:
    explicit GbkReadings(std::string_view text);

    // Whether `pos` begins a character when the text is read from `anchor` (<= pos) on.
    bool startsChar(size_t anchor, size_t pos) const;

    // Where the reading from `anchor` meets the reading from the text's start.
    size_t meets(size_t anchor) const { return meet_[anchor]; }

private:
    std::vector<bool> start_;  // character starts of the reading from the text's start
    std::vector<size_t> meet_;
};

}  // namespace corpgather

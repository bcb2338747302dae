#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Company pages are 30-100 KB, and the text routines search a source from its start byte by
// byte (BetweenText walks the GBK characters up to every hit). These find a marker's first
// occurrence with glibc's memmem and hand the routines the page from there on, which gives
// exactly the texts the routines give on the whole page.
namespace corpgather {

// Where `marker` first occurs, byte-wise; npos when it does not.
std::size_t FindFirst(std::string_view page, std::string_view marker);

inline bool Contains(std::string_view page, std::string_view marker) {
    return FindFirst(page, marker) != std::string_view::npos;
}

// The page from the first occurrence of `anchor` (inclusive); empty when it does not occur.
// BetweenAfterAnchor and FieldAfterAnchor with that anchor give the same on it as on the page.
std::string_view FromAnchor(std::string_view page, std::string_view anchor);

// Finds where each of a fixed set of markers first occurs. Markers that begin with the same
// bytes form a group, found together in one pass that looks for their shared beginning: a page
// is passed over once per group rather than once per marker.
class MarkerFinder final {
public:
    explicit MarkerFinder(std::vector<std::string> markers);

    // The first occurrence of each marker, in the order given; npos for one that does not occur.
    std::vector<std::size_t> find(std::string_view page) const;

private:
    struct Group {
        std::string key;                   // the beginning its markers share
        std::vector<std::size_t> members;  // indexes into markers_
    };

    std::vector<std::string> markers_;
    std::vector<Group> groups_;
};

// BetweenText(page, start, end).
std::string PageBetweenText(std::string_view page, std::string_view start, std::string_view end);

// HeaderColumnIndex(page, anchor), for an anchor that first occurs at `anchorAt`.
int PageHeaderColumnIndex(std::string_view page, std::string_view anchor, std::size_t anchorAt);

}  // namespace corpgather

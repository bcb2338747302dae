#include "text/text_markers.h"

#include <algorithm>
#include <optional>

#include "text/byte_trim.h"
#include "text/gbk.h"
#include "text/gbk_search.h"

namespace corpgather {
namespace {

constexpr auto npos = std::string_view::npos;

std::string cleanValue(std::string_view text) {
    return std::string(TrimBytes(StripTags(text)));
}

const std::string& missingSuffix() {
    static const std::string suffix = Utf8ToGbk("不存在！");
    return suffix;
}

// The row around the anchor, from its last "<tr>" before the anchor to one byte past the first
// "</tr>" after it; the short fallbacks keep the count working on broken markup.
std::string anchorRow(std::string_view page, size_t anchorAt) {
    std::string_view after = page.substr(anchorAt);
    const size_t rowEnd = after.find("</tr>");
    after = after.substr(0, rowEnd == npos ? 5 : rowEnd + 6);

    std::string_view before = page.substr(0, anchorAt);
    const size_t rowStart = before.rfind("<tr>");
    before = rowStart == npos ? before.substr(before.size() - std::min<size_t>(3, before.size()))
                              : before.substr(rowStart);
    std::string row(before);
    row += after;
    return row;
}

}  // namespace

std::string BetweenText(std::string_view source, std::string_view start, std::string_view end) {
    return std::string(CutMarked(source, start, end).text);
}

std::string BetweenTextNoTags(std::string_view source, std::string_view start,
                              std::string_view end) {
    return StripTags(CutMarked(source, start, end).text);
}

std::string BetweenAfterAnchor(std::string_view source, std::string_view anchor,
                               std::string_view start, std::string_view end) {
    const size_t at = source.find(anchor);
    if (at == npos)
        return {};
    return BetweenText(source.substr(at), start, end);
}

std::string FieldAfterAnchor(std::string_view source, std::string_view anchor,
                             std::string_view start, std::string_view end) {
    return cleanValue(BetweenAfterAnchor(source, anchor, start, end));
}

std::string NthCellText(std::string_view row, std::string_view start, std::string_view end, int n) {
    if (n < 0)
        return {};
    size_t from = 0;
    for (int k = 0;; ++k) {
        const size_t at = row.find(start, from);
        if (at == npos)
            return {};
        if (k == n)
            return cleanValue(CutMarked(row.substr(from), start, end).text);
        // The byte after the marker is passed over as well.
        from = std::min(row.size(), at + start.size() + 1);
    }
}

int HeaderColumnIndex(std::string_view page, std::string_view anchor) {
    const size_t anchorAt = page.find(anchor);
    if (anchorAt == npos)
        return -1;
    const std::string row = anchorRow(page, anchorAt);
    std::string_view rest = row;
    int k = 0;
    for (size_t open = rest.find("<th>"); open != npos; open = rest.find("<th>")) {
        const size_t cellEnd = rest.find("</th>", open);
        const std::string_view cell =
            rest.substr(open, cellEnd == npos ? npos : cellEnd + 5 - open);
        if (cell.find(anchor) != npos)
            break;
        // Without any closing tag the cell runs to the end of the row: nothing follows it.
        const size_t close = rest.find("</th>");
        if (close == npos)
            break;
        rest.remove_prefix(close + 5);
        ++k;
    }
    return k;
}

std::string JoinLinkTexts(std::string_view source, std::string_view start, std::string_view end) {
    std::string joined;
    size_t from = 0;
    size_t nextStart = source.find(start);
    size_t nextEnd = source.find(end);
    // End markers before a start marker make several rounds cut at the same start marker; the
    // last cut is reused while the round's own reading of the text cannot find another.
    std::optional<GbkReadings> readings;
    size_t cutFrom = 0;
    MarkedCut cut{};
    for (bool first = true; nextStart != npos; first = false) {
        bool sameCut = false;
        if (!first && from <= cut.reach) {
            if (!readings)
                readings.emplace(source);
            sameCut = readings->startsChar(cutFrom, from) ||
                      nextStart >= std::max(readings->meets(from), readings->meets(cutFrom));
        }
        if (!sameCut) {
            cut = CutMarked(source.substr(from), start, end);
            cut.reach += from;
            cutFrom = from;
        }
        if (!first)
            joined += ',';
        joined += cut.text;

        if (nextEnd != npos && nextEnd < from)
            nextEnd = source.find(end, from);
        from = (nextEnd == npos ? from : nextEnd + 1) + end.size();
        if (from >= source.size())
            break;
        if (nextStart < from)
            nextStart = source.find(start, from);
    }
    return joined;
}

std::string CutBetweenMarks(std::string_view source, std::string_view start, std::string_view end) {
    const size_t at = source.find(start);
    if (at == npos)
        return std::string(start) + missingSuffix();
    const size_t keep = at + start.size();
    const size_t endAt = source.find(end, keep);
    if (endAt == npos)
        return std::string(end) + missingSuffix();
    std::string result(source.substr(0, keep));
    result += source.substr(endAt);
    return result;
}

std::string SkipListEntries(std::string_view page, std::string_view entryMark,
                            std::string_view cutMark, int count) {
    if (count == 0)
        return std::string(page);
    std::string_view rest = page;
    std::string_view taken;
    for (int k = 1;; ++k) {
        const size_t entry = rest.find(entryMark);
        if (entry == npos)
            break;
        rest.remove_prefix(entry);
        const size_t cut = rest.find(cutMark);
        // Without a cut marker the text no longer changes: every later round takes the same.
        if (cut == npos) {
            taken = rest;
            break;
        }
        rest.remove_prefix(cut + 1);
        taken = rest;
        if (k == count)
            break;
    }
    return std::string(taken);
}

}  // namespace corpgather

// The page cuts that search with memmem must give what the text routines give on the whole page.
#include "run/page_search.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather::test {
namespace {

using namespace std::string_literals;

TEST(PageSearch, FindFirstIsTheFirstByteWiseOccurrence) {
    const std::string markers[] = {"<th>", "ab", "aa", "<th>企业",
                                   R"(<div align="right"><strong>)"};
    for (const std::string& marker : markers) {
        for (size_t size = 0; size < 70; ++size) {
            for (size_t at = 0; at + marker.size() <= size; at += 3) {
                std::string page(size, 'a' + static_cast<char>(size % 2));
                page.replace(at, marker.size(), marker);
                ASSERT_EQ(FindFirst(page, marker), std::string_view(page).find(marker))
                    << marker << " in " << page;
            }
            const std::string plain(size, 'x');
            ASSERT_EQ(FindFirst(plain, marker), std::string_view::npos);
        }
    }
}

TEST(PageSearch, MarkerFinderGivesEachMarkersFirstOccurrence) {
    const std::vector<std::string> markers = {"<th>A</th>",
                                              "<th>B</th>",
                                              "<th>",
                                              "<th class=\"x\">C</th>",
                                              "<th>missing</th>",
                                              "<h3>D</h3>",
                                              "<th>A</th><th>B</th>",
                                              "<h3>D</h3>"};
    const std::string page =
        "<h3>D</h3><th><th>B</th><th class=\"x\">C</th><th>A</th><th>B</th><th>A</th><th>B</th>";
    const std::vector<size_t> found = MarkerFinder(markers).find(page);
    ASSERT_EQ(found.size(), markers.size());
    for (size_t i = 0; i < markers.size(); ++i)
        EXPECT_EQ(found[i], page.find(markers[i])) << markers[i];
    EXPECT_EQ(MarkerFinder(markers).find(""),
              std::vector<size_t>(markers.size(), std::string::npos));
}

TEST(PageSearch, BetweenTextOfAPageIsTheRoutinesCut) {
    const std::string hua = Utf8ToGbk("華");  // C8 41: its trail byte reads as "A"
    const struct {
        std::string page, start, end;
    } cases[] = {
        {"<p>x<b>word</b>y</p>", "<b>", "</b>"},
        {"<p>no start</p>", "<b>", "</b>"},
        {"<b>no end", "<b>", "</b>"},
        {"</b> end before <b>start", "<b>", "</b>"},
        {"zero\0 before <b>word</b>"s, "<b>", "</b>"},
        {"<b>zero\0 inside</b>"s, "<b>", "</b>"},
        {"<b>word</b> zero\0 after"s, "<b>", "</b>"},
        {hua + "<b>x</b> A<b>y</b>", "A<b>", "</b>"},
        {"<b>" + hua + "</b>A" + "</b>", "<b>", "A"},
        {"<b><b>twice</b>", "<b>", "</b>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(PageBetweenText(c.page, c.start, c.end), BetweenText(c.page, c.start, c.end));
    }
}

TEST(PageSearch, HeaderColumnOfAPageIsTheRoutinesCount) {
    const std::string anchor = "<th>B</th>";
    const std::string pages[] = {
        "<table><tr><th>A</th><th>B</th></tr></table>",
        "<tr><th>x</th></tr><tr><th>A</th><th>C</th><th>B</th></tr>",
        "<th>B</th><th>B</th></tr>",
        "A</th><th>B</th>",
        "<th>A</th><th>B</th><th>C</th>",
        "<th>A</th>\n<th>B</th></tr><tr><th>B</th>",
    };
    for (const std::string& page : pages) {
        SCOPED_TRACE(page);
        EXPECT_EQ(PageHeaderColumnIndex(page, anchor, page.find(anchor)),
                  HeaderColumnIndex(page, anchor));
    }
}

TEST(PageSearch, FromAnchorStartsAtItsFirstOccurrence) {
    EXPECT_EQ(FromAnchor("ab<i>c<i>d", "<i>"), "<i>c<i>d");
    EXPECT_EQ(FromAnchor("abc", "<i>"), "");
    EXPECT_EQ(FromAnchor("a\0<i>"s, "<i>"), "<i>");
}

}  // namespace
}  // namespace corpgather::test

#include "text/text_markers.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/gbk.h"

namespace corpgather {
namespace {

std::string gbk(std::string_view utf8) {
    return Utf8ToGbk(utf8);
}

// Extension characters whose trail bytes are "[" and "]", so a bracket marker can match inside
// them when the search ignores character boundaries.
const std::string kTrailOpen = gbk("竅");
const std::string kTrailClose = gbk("竇");

struct CutCase {
    const char* name;
    std::string source;
    std::string start;
    std::string end;
    std::string expected;
};

TEST(BetweenText, CutsTheTextBetweenTheFirstStartAndTheNextEnd) {
    using namespace std::string_literals;
    const std::vector<CutCase> cases = {
        {"word", "<b>" + gbk("公司") + "</b>", "<b>", "</b>", gbk("公司")},
        {"first pair only", "<b>x</b><b>y</b>", "<b>", "</b>", "x"},
        {"start missing", "x</b>", "<b>", "</b>", ""},
        {"end missing", "<b>x", "<b>", "</b>", ""},
        {"end only before start", "</b><b>x", "<b>", "</b>", ""},
        {"empty between", "<b></b>", "<b>", "</b>", ""},
        {"start on a trail byte is passed over", kTrailOpen + "[x]", "[", "]", "x"},
        {"end on a trail byte is passed over", "[" + kTrailClose + "x]", "[", "]",
         kTrailClose + "x"},
        {"lone lead byte keeps the marker after it", gbk("中").substr(0, 1) + "<b>x</b>", "<b>",
         "</b>", "x"},
        {"zero byte hides the end", "<b>x\0</b>"s, "<b>", "</b>", ""},
        {"zero byte hides the start", "\0<b>x</b>"s, "<b>", "</b>", ""},
        {"zero byte after the end", "<b>x</b>\0y"s, "<b>", "</b>", "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BetweenText(c.source, c.start, c.end), c.expected);
    }
}

TEST(BetweenText, VariantsRemoveTagsAndSearchAfterTheAnchor) {
    const std::string page = "<b>early</b><!--A--><i>x</i><b> <em>late</em> </b>";
    EXPECT_EQ(BetweenTextNoTags(page, "<!--A-->", "</b>"), "x late ");
    EXPECT_EQ(BetweenAfterAnchor(page, "<!--A-->", "<b>", "</b>"), " <em>late</em> ");
    EXPECT_EQ(BetweenAfterAnchor(page, "<i>", "<i>", "</i>"), "x");
    EXPECT_EQ(FieldAfterAnchor(page, "<!--A-->", "<b>", "</b>"), "late");
    EXPECT_EQ(FieldAfterAnchor(page, "<!--B-->", "<b>", "</b>"), "");
}

TEST(StripTags, RemovesEveryTag) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<b>word</b>", "word"}, {"a<br/>b <a href='x'>c</a>", "ab c"},
        {"1 > 0", "1 > 0"},      {"kept<b", "kept"},
        {"a<i>b</i>c<", "abc"},  {"", ""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(StripTags(text), expected) << text;
}

TEST(NbspToSpace, EachEntityAndTheBlanksAfterItBecomeOneBlank) {
    EXPECT_EQ(NbspToSpace("a&nbsp;&nbsp; b"), "a  b");
    EXPECT_EQ(NbspToSpace("a&nbsp;\r\n\t b&nbsp;"), "a b ");
    EXPECT_EQ(NbspToSpace("a &amp; b"), "a &amp; b");
}

TEST(NthCellText, PicksTheCellByItsPosition) {
    const std::string row =
        "<td class='c1'>A</td><td class='c1'> <b>B</b>\r\n</td><td class='c1'>" + gbk("有限公司") +
        "</td>";
    const std::string start = "<td class='c1'>";
    EXPECT_EQ(NthCellText(row, start, "</td>", 0), "A");
    EXPECT_EQ(NthCellText(row, start, "</td>", 1), "B");
    EXPECT_EQ(NthCellText(row, start, "</td>", 2), gbk("有限公司"));
    EXPECT_EQ(NthCellText(row, start, "</td>", 3), "");
    EXPECT_EQ(NthCellText(row, start, "</td>", -1), "");
    // The byte after each passed marker is passed over too, so a marker right after it is not
    // counted.
    EXPECT_EQ(NthCellText("<i><i>x</i>", "<i>", "</i>", 1), "");
}

TEST(HeaderColumnIndex, CountsTheHeaderCellsBeforeTheAnchorsCell) {
    const std::string anchor = "<th>" + gbk("注册资本：") + "</th>";
    const std::string third = "<tr><th>a</th><th>b</th>" + anchor + "</tr><tr><td>1</td></tr>";
    EXPECT_EQ(HeaderColumnIndex(third, anchor), 2);
    EXPECT_EQ(HeaderColumnIndex("<tr>" + anchor + "<th>b</th></tr>", anchor), 0);
    // Only the anchor's own row counts, not an earlier one.
    EXPECT_EQ(
        HeaderColumnIndex("<tr><th>p</th><th>q</th></tr><tr><th>a</th>" + anchor + "</tr>", anchor),
        1);
    // Without "<tr>" only the three bytes before the anchor belong to its row.
    EXPECT_EQ(HeaderColumnIndex("<th>a</th><th>b</th><th>X</th></tr>", "X"), 0);
    EXPECT_EQ(HeaderColumnIndex("<tr><th>a</th><th>b</th><th>X</th></tr>", "X"), 2);
    EXPECT_EQ(HeaderColumnIndex(third, "<th>missing</th>"), -1);
}

TEST(JoinLinkTexts, JoinsTheTextOfEachLink) {
    const std::string a = "target=\"_blank\">";
    const std::vector<CutCase> cases = {
        {"two links", "<a " + a + "www.a.cn</a> <a " + a + gbk("网站") + "</a>", a, "</a>",
         "www.a.cn," + gbk("网站")},
        {"no link", "<p>none</p>", a, "</a>", ""},
        // Every round starts one byte past the end marker: a link right after it is missed.
        {"adjacent links", "<a>x</a><a>y</a>", "<a>", "</a>", "x"},
        // Without an end marker the text still shrinks by the marker's length each round.
        {"no end marker", "<a>x<a>y", "<a>", "</a>", ","},
        // An end marker before the start marker only moves the text on: the link counts twice.
        {"end marker first", "</a></a><a>x</a>", "<a>", "</a>", "x,x"},
        // Read from its second byte on, the first character's trail byte pairs with the "["
        // after it, so the second round finds the next bracket.
        {"rounds read from their own start", "]" + gbk("啊") + "[x][y]", "[", "]", "x,y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JoinLinkTexts(c.source, c.start, c.end), c.expected);
    }
}

TEST(CutBetweenMarks, RemovesTheTextBetweenTheMarkers) {
    const std::string missing = gbk("不存在！");
    EXPECT_EQ(
        CutBetweenMarks("<dd><a href=\"http://x.cn\" target=\"_blank\">x</a></dd>", "<a", ">"),
        "<dd><a>x</a></dd>");
    EXPECT_EQ(CutBetweenMarks("<dd>x</dd>", "<a", ">"), "<a" + missing);
    EXPECT_EQ(CutBetweenMarks("<b> <a href", "<a", ">"), ">" + missing);
}

TEST(JoinAtLineBreak, JoinsAtTheFirstSeparatorOnly) {
    EXPECT_EQ(JoinAtLineBreak(gbk("100万\r\n \t 人民币\r\n 元"), "\r\n"),
              gbk("100万人民币\r\n 元"));
    EXPECT_EQ(JoinAtLineBreak("100 ", "\r\n"), "100 ");
}

TEST(ReplaceAllText, ReplacesUntilNoOccurrenceIsLeft) {
    struct Case {
        const char* oldText;
        const char* newText;
        const char* source;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"'", "", "a'b''c", "abc"},
        {"#$A", "", "x#$Ay#$A", "xy"},
        {"&nbsp;", " ", "a&nbsp;b", "a b"},
        // A removal can join a new occurrence, which is replaced as well.
        {"#$A", "", "##$A$AA", "A"},
        {"ab", "a", "aabb", "aa"},
        {"ab", "b", "aab", "b"},
        {"x", "y", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAllText(c.oldText, c.newText, c.source), c.expected) << c.source;
    }
}

TEST(SkipListEntries, ReturnsTheTextAfterTheNthEntrysCutMarker) {
    std::string page = "<head>";
    for (int i = 1; i <= 5; ++i)
        page += "<li>#" + std::to_string(i) + " <i>ask</i></li>";
    const auto nextEntry = [](const std::string& text) { return BetweenText(text, "<li>#", " "); };

    EXPECT_EQ(SkipListEntries(page, "<li>", "<i>", 0), page);
    const std::string rest = SkipListEntries(page, "<li>", "<i>", 2);
    EXPECT_EQ(rest.substr(0, 5), "i>ask");
    EXPECT_EQ(nextEntry(rest), "3");
    EXPECT_EQ(nextEntry(SkipListEntries(page, "<li>", "<i>", 4)), "5");
    EXPECT_EQ(SkipListEntries(page, "<li>", "<i>", 7), "i>ask</i></li>");
    EXPECT_EQ(SkipListEntries("<head></head>", "<li>", "<i>", 2), "");
    // Without a cut marker the text stays at the first entry however many are to be skipped.
    EXPECT_EQ(SkipListEntries("<p><li>#1</li><li>#2", "<li>", "<i>", 1000000), "<li>#1</li><li>#2");
}

}  // namespace
}  // namespace corpgather

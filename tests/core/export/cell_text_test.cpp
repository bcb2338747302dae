#include "export/cell_text.h"

#include <gtest/gtest.h>

namespace corpgather {
namespace {

std::string repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(CellTextTest, FixesWhatACellCannotHoldAndLeavesTheRestAlone) {
    struct Case {
        const char* name;
        std::string value;
        std::string expected;
    };
    const Case cases[] = {
        {"plain text", "会员 abc =1+1 _x", "会员 abc =1+1 _x"},
        {"control characters stay for the writer to escape", "a\x01\tb\n", "a\x01\tb\n"},
        {"a stray byte",
         "a\xff"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"a cut sequence at the end", "好\xE5\xA5", "好\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"an overlong encoding", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"an encoded surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"U+FFFE", "\xEF\xBF\xBE", "\xEF\xBF\xBD"},
        {"NUL", std::string("a\0b", 3),
         "a\xEF\xBF\xBD"
         "b"},
        {"a literal escape", "_x0041_ and _x00e9_", "_x005F_x0041_ and _x005F_x00e9_"},
        {"no escape without the closing underscore", "_x0041-", "_x0041-"},
        {"four-byte characters are kept", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string scratch;
        EXPECT_EQ(CellText(c.value, scratch), c.expected);
    }
}

TEST(CellTextTest, ReturnsTheValueItselfWhenNothingChanges) {
    const std::string value = "上海某某有限公司";
    std::string scratch;
    EXPECT_EQ(&CellText(value, scratch), &value);
}

TEST(CellTextTest, CutsToTheCellLimitInUtf16UnitsWithoutSplittingACharacter) {
    struct Case {
        const char* name;
        std::string value;
        std::size_t expectedBytes;
    };
    const Case cases[] = {
        {"exactly the limit", repeat("介", kMaxCellCharacters), 3 * kMaxCellCharacters},
        {"one over", repeat("介", kMaxCellCharacters + 1), 3 * kMaxCellCharacters},
        // 16,383 pairs fill 32,766 units; the next pair would need two more.
        {"surrogate pairs", repeat("\xF0\x9F\x98\x80", 20000), 4 * 16383},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string scratch;
        EXPECT_EQ(CellText(c.value, scratch).size(), c.expectedBytes);
    }
}

}  // namespace
}  // namespace corpgather

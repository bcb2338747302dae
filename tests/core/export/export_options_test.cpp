#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "export/export_columns.h"
#include "export/export_styles.h"
#include "export/task_export.h"

namespace corpgather {
namespace {

using ::testing::ElementsAre;

TEST(ExportOptionsTest, FieldsOfferEveryColumnOnceInCheckBoxOrderWithTheFirst27Ticked) {
    const auto fields = ExportFields();
    std::set<CompanyColumn> columns;
    for (const ExportField& field : fields)
        columns.insert(field.column);
    EXPECT_EQ(columns.size(), kCompanyColumnCount);
    EXPECT_EQ(fields[0].control, "chkComZH");
    EXPECT_EQ(CompanyColumnName(fields[8].column), "地址");
    EXPECT_EQ(fields[23].control, "chksOEM");
    EXPECT_EQ(CompanyColumnName(fields[27].column), "搜索来源");
    EXPECT_EQ(CompanyColumnName(fields[35].column), "会员类型");
    const ExportFieldSet defaults = DefaultExportFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(defaults[i], i < 27) << i;
}

TEST(ExportOptionsTest, StatementListsTheTickedColumnsInCheckBoxOrder) {
    struct Case {
        std::vector<std::string_view> ticked;
        std::string expected;
    };
    const Case cases[] = {
        {{"会员类型"}, "SELECT \"会员类型\" FROM Company WHERE SearchID=7"},
        // Ticked in another order, listed in the boxes' order (地址 before 邮编 before 邮箱).
        {{"邮箱", "会员帐号", "地址", "邮编"},
         "SELECT \"会员帐号\", \"地址\", \"邮编\", \"邮箱\" FROM Company WHERE SearchID=7"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        ExportFieldSet ticked;
        for (std::string_view name : c.ticked)
            ticked[ExportFieldIndex(name)] = true;
        EXPECT_EQ(ExportStatement(ticked, 7), c.expected);
    }
}

TEST(ExportOptionsTest, PickListsHoldTheirEntriesWithTheDefaultsFirstOrMarked) {
    const auto rows = RowsPerFileEntries();
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows[0].text, "不限");
    EXPECT_EQ(rows[0].rows, 0);
    EXPECT_EQ(rows[12].rows, 15000);
    EXPECT_EQ(rows[17].rows, 60000);

    const auto styles = ExportStyleEntries();
    ASSERT_EQ(styles.size(), 12u);
    EXPECT_EQ(styles[1].text, "样式2(esDesert[速度慢])");
    EXPECT_EQ(styles[7].text, "样式8(esNormal)");
    EXPECT_EQ(styles[7].style, kDefaultExportStyle);
    for (const ExportStyleEntry& entry : styles)
        EXPECT_EQ(StylePaletteOf(entry.style).has_value(), entry.style != ExportStyle::Normal)
            << entry.preset;
}

TEST(ExportOptionsTest, StyleNamesAreFoundWithOrWithoutThePrefixInAnyCase) {
    EXPECT_EQ(ExportStyleByName("esMSMoney"), ExportStyle::MSMoney);
    EXPECT_EQ(ExportStyleByName("msmoney"), ExportStyle::MSMoney);
    EXPECT_EQ(ExportStyleByName("ESBRICK"), ExportStyle::Brick);
    EXPECT_EQ(ExportStyleByName("esBrik"), std::nullopt);
}

TEST(ExportOptionsTest, SeriesNamesPutTheNumberBeforeTheExtension) {
    struct Case {
        std::string chosen;
        int index;
        std::string expected;
    };
    const Case cases[] = {
        {"list.xlsx", 0, "list.xlsx"},
        {"list.xlsx", 1, "list001.xlsx"},
        {"list.xlsx", 999, "list999.xlsx"},
        {"list.xlsx", 1000, "list1000.xlsx"},
        {"/data/v1.2/list.part.xlsx", 2, "/data/v1.2/list.part002.xlsx"},
        {"/data/v1.2/list", 3, "/data/v1.2/list003"},
        {"/data/.xlsx", 1, "/data/.xlsx001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SeriesFileName(c.chosen, c.index), c.expected);
}

}  // namespace
}  // namespace corpgather

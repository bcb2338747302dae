#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/xlsx_probe.h"
#include "store/database.h"
#include "store/task_store.h"
#include "support/child_process.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;

class ExportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AddTask({"7", "0", "2alibaba.cfg", "阿里巴巴", "http://s/?beginPage=1", "0",
                             "0", "", "", "模具"}));
        std::vector<CompanyRecord> rows(3);
        for (int i = 0; i < 3; ++i) {
            rows[i][CompanyColumn::MemberId] = "m" + std::to_string(i);
            rows[i][CompanyColumn::CompanyName] = "公司" + std::to_string(i);
        }
        ASSERT_TRUE(CommitCompanyBatch(7, rows));
        CloseDatabase();
    }

    test::CommandResult run(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", home_.path().string(), "export"});
        return test::RunCli(arguments);
    }

    test::TempHome home_;
};

TEST_F(ExportCliTest, WritesTheChosenColumnsStyleAndSplitAndListsTheFiles) {
    const test::CommandResult result =
        run({"7", "--out", home_.file("list"), "--columns", "公司名称，会员帐号", "--rows-per-file",
             "2", "--style", "esBrick"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, home_.file("list.xlsx") + "\n" + home_.file("list001.xlsx") + "\n");
    EXPECT_THAT(result.err, HasSubstr("正在导出数据...... (3/3)"));

    const test::XlsxBook first = test::ReadXlsx(home_.file("list.xlsx"));
    ASSERT_THAT(first.rows, SizeIs(3));
    EXPECT_THAT(first.rows[0].values(), ElementsAre("会员帐号", "公司名称"));  // check-box order
    EXPECT_TRUE(first.rows[0].cells[0].fill.has_value());
    EXPECT_THAT(test::ReadXlsx(home_.file("list001.xlsx")).rows, SizeIs(2));
}

TEST_F(ExportCliTest, DefaultsAreTheDialogs) {
    const test::CommandResult result = run({"7", "--out", home_.file("all.xlsx")});
    ASSERT_EQ(result.status, 0) << result.err;
    const test::XlsxBook book = test::ReadXlsx(home_.file("all.xlsx"));
    ASSERT_THAT(book.rows, SizeIs(4));
    EXPECT_THAT(book.rows[0].cells, SizeIs(27));
    EXPECT_EQ(book.rows[0].values().back(), "注册信息");
    EXPECT_FALSE(book.rows[0].cells[0].fill.has_value());
}

TEST_F(ExportCliTest, BadInputAndFailuresGiveAMessageAndExitCode) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const std::string out = home_.file("x.xlsx");
    const Case cases[] = {
        {{"7"}, 2, "--out"},
        {{"seven", "--out", out}, 2, "not a task ID"},
        {{"8", "--out", out}, 2, "unknown task 8"},
        {{"7", "--out", out, "--columns", "会员帐号,电邮"}, 2, "unknown column: 电邮"},
        {{"7", "--out", out, "--columns", ","}, 2, "请选择导出字段！"},
        {{"7", "--out", out, "--rows-per-file", "-1"}, 2, "--rows-per-file"},
        {{"7", "--out", out, "--style", "esPlaid"}, 2, "unknown style"},
        {{"7", "--out", home_.file("missing/x.xlsx")}, 1, "导出失败: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const test::CommandResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_THAT(result.err, HasSubstr(c.message));
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace corpgather

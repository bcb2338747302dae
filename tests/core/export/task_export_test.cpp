#include "export/task_export.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/export/xlsx_probe.h"
#include "export/export_columns.h"
#include "store/database.h"
#include "store/task_store.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

namespace fs = std::filesystem;
using test::ReadXlsx;
using test::XlsxBook;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

constexpr int kTask = 7;

class Recorder final : public ExportProgress {
public:
    void progressed(long long done, long long total) override { calls.emplace_back(done, total); }
    bool cancelRequested() override {
        return cancelAfter >= 0 && !calls.empty() && calls.back().first >= cancelAfter;
    }

    std::vector<std::pair<long long, long long>> calls;
    long long cancelAfter = -1;
};

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

class TaskExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(AddTask({std::to_string(kTask), "0", "2alibaba.cfg", "阿里巴巴",
                             "http://s/?beginPage=1", "0", "0", "", "", "模具"}));
        fs::create_directory(out_);
    }

    void addRecords(int count, const std::string& prefix = "m") {
        std::vector<CompanyRecord> rows;
        for (int i = 0; i < count; ++i) {
            CompanyRecord record;
            char id[32];
            std::snprintf(id, sizeof id, "%s%05d", prefix.c_str(), i);
            record[CompanyColumn::MemberId] = id;
            record[CompanyColumn::CompanyName] = std::string(id) + "有限公司";
            record[CompanyColumn::MemberType] = "诚信通";
            rows.push_back(std::move(record));
        }
        ASSERT_TRUE(CommitCompanyBatch(kTask, rows));
    }

    void addValues(const std::vector<std::string>& memberIds) {
        std::vector<CompanyRecord> rows;
        for (const std::string& value : memberIds) {
            CompanyRecord record;
            record[CompanyColumn::MemberId] = value;
            rows.push_back(std::move(record));
        }
        ASSERT_TRUE(CommitCompanyBatch(kTask, rows));
    }

    std::string path(const std::string& name) const { return (out_ / name).string(); }

    ExportResult run(const std::string& statement, long long rowsPerFile = 0,
                     ExportStyle style = kDefaultExportStyle,
                     const std::string& name = "list.xlsx") {
        return ExportToWorkbooks({statement, path(name), rowsPerFile, style}, progress_);
    }

    static std::string fields(std::initializer_list<CompanyColumn> columns) {
        ExportFieldSet set;
        for (CompanyColumn column : columns)
            set[ExportFieldIndex(CompanyColumnName(column))] = true;
        return ExportStatement(set, kTask);
    }

    // The rows the statement returns, as the export should write them.
    static std::vector<std::vector<std::string>> statementRows(const std::string& statement) {
        std::vector<std::vector<std::string>> rows;
        Query query;
        EXPECT_TRUE(OpenSQL(query, statement));
        for (; !query.eof(); query.next()) {
            std::vector<std::string>& row = rows.emplace_back();
            for (int i = 0; i < query.columnCount(); ++i)
                row.push_back(query.text(i));
        }
        return rows;
    }

    test::TempHome home_;
    fs::path out_ = home_.path() / "out";
    Recorder progress_;
};

std::vector<std::string> defaultCaptions() {
    std::vector<std::string> captions;
    for (const ExportField& field : ExportFields())
        if (field.tickedByDefault)
            captions.emplace_back(CompanyColumnName(field.column));
    return captions;
}

TEST_F(TaskExportTest, TaskWithoutRecordsGivesOneWorkbookWithTheCaptionRowOnly) {
    const ExportResult result = run(ExportStatement(DefaultExportFields(), kTask));
    ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;
    EXPECT_THAT(result.files, ElementsAre(path("list.xlsx")));
    EXPECT_THAT(folderNames(out_), ElementsAre("list.xlsx"));
    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(book.error, "");
    EXPECT_THAT(book.sheets, ElementsAre("企业列表"));
    ASSERT_EQ(book.rows.size(), 1u);
    EXPECT_EQ(book.rows[0].r, 1);
    EXPECT_EQ(book.rows[0].values(), defaultCaptions());
    EXPECT_THAT(progress_.calls, ElementsAre(std::pair(0LL, 0LL)));
}

TEST_F(TaskExportTest, SplitsAfterRowsPerFileWithNumberedFilesEachWithItsCaptionRow) {
    struct Case {
        int records;
        long long rowsPerFile;
        std::vector<std::string> files;
        std::vector<std::size_t> counts;
    };
    const Case cases[] = {
        {1200, 500, {"list.xlsx", "list001.xlsx", "list002.xlsx"}, {500, 500, 200}},
        {1000, 500, {"list.xlsx", "list001.xlsx"}, {500, 500}},  // no empty third file
        {30, 0, {"list.xlsx"}, {30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records);
        ASSERT_TRUE(RunSQL("DELETE FROM Company"));
        fs::remove_all(out_);
        fs::create_directory(out_);
        progress_.calls.clear();
        addRecords(c.records);
        const std::string statement = fields({CompanyColumn::MemberId, CompanyColumn::CompanyName});

        const ExportResult result = run(statement, c.rowsPerFile);
        ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;
        EXPECT_EQ(result.records, c.records);
        EXPECT_EQ(folderNames(out_), c.files);

        std::vector<std::vector<std::string>> written;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const XlsxBook book = ReadXlsx(path(c.files[i]));
            ASSERT_EQ(book.error, "");
            ASSERT_EQ(book.rows.size(), c.counts[i] + 1);
            EXPECT_THAT(book.rows[0].values(), ElementsAre("会员帐号", "公司名称"));
            for (std::size_t r = 1; r < book.rows.size(); ++r) {
                EXPECT_EQ(book.rows[r].r, static_cast<int>(r + 1));
                written.push_back(book.rows[r].values());
            }
        }
        EXPECT_EQ(written, statementRows(statement));
        ASSERT_EQ(progress_.calls.size(), static_cast<std::size_t>(c.records + 1));
        EXPECT_EQ(progress_.calls.front(), std::pair(0LL, static_cast<long long>(c.records)));
        EXPECT_EQ(progress_.calls.back(),
                  std::pair(static_cast<long long>(c.records), static_cast<long long>(c.records)));
    }
}

TEST_F(TaskExportTest, MergeKeepsTheListRowsAppendsBelowThemAndDropsOtherSheets) {
    ASSERT_TRUE(test::MakeXlsxFixture(path("list.xlsx")));
    addRecords(3);
    const ExportResult result =
        run(fields({CompanyColumn::MemberId, CompanyColumn::CompanyName}), 0, ExportStyle::Brick);
    ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;

    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(book.error, "");
    EXPECT_THAT(book.sheets, ElementsAre("企业列表"));
    ASSERT_EQ(book.rows.size(), 8u);
    std::vector<int> numbers;
    for (const auto& row : book.rows)
        numbers.push_back(row.r);
    EXPECT_THAT(numbers, ElementsAre(1, 2, 4, 5, 6, 7, 8, 9));

    const auto& title = book.rows[0].cells[0];
    EXPECT_EQ(title.value, "旧标题");
    EXPECT_EQ(title.fill, "FFFFFF00");
    EXPECT_EQ(title.fontColor, "FFC00000");
    EXPECT_TRUE(title.bold);
    const auto& amount = book.rows[1].cells[1];
    EXPECT_EQ(amount.type, "n");
    EXPECT_EQ(amount.value, "12.5");
    const auto& row4 = book.rows[2].cells;
    ASSERT_EQ(row4.size(), 3u);
    EXPECT_EQ(row4[0].value, "富文本");
    EXPECT_EQ(row4[1].formula, "B2*2");
    EXPECT_EQ(row4[1].value, "25");
    EXPECT_EQ(row4[2].type, "b");
    EXPECT_EQ(row4[2].value, "1");
    EXPECT_THAT(book.rows[3].values(), ElementsAre("_x0041_", "a tab\tand a return\r"));

    EXPECT_THAT(book.rows[4].values(), ElementsAre("会员帐号", "公司名称"));
    EXPECT_EQ(book.rows[4].cells[0].ref, "A6");
    EXPECT_THAT(book.rows[5].values(), ElementsAre("m00000", "m00000有限公司"));
    EXPECT_THAT(book.rows[7].values(), ElementsAre("m00002", "m00002有限公司"));
}

TEST_F(TaskExportTest, MergeIntoAWorkbookWithoutTheListSheetStartsTheSheetAtTheTop) {
    ASSERT_TRUE(test::MakeXlsxFixture(path("list.xlsx"), false));
    addRecords(1);
    const ExportResult result = run(fields({CompanyColumn::MemberId}));
    ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;
    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    EXPECT_THAT(book.sheets, ElementsAre("企业列表"));
    ASSERT_EQ(book.rows.size(), 2u);
    EXPECT_EQ(book.rows[0].r, 1);
    EXPECT_THAT(book.rows[0].values(), ElementsAre("会员帐号"));
}

TEST_F(TaskExportTest, EverySplitFileMergesIntoItsOwnExistingWorkbook) {
    ASSERT_TRUE(test::MakeXlsxFixture(path("list001.xlsx")));
    addRecords(4);
    const ExportResult result = run(fields({CompanyColumn::MemberId}), 2);
    ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;

    const XlsxBook first = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(first.rows.size(), 3u);
    EXPECT_EQ(first.rows[0].r, 1);
    const XlsxBook second = ReadXlsx(path("list001.xlsx"));
    ASSERT_EQ(second.rows.size(), 7u);
    EXPECT_EQ(second.rows[4].r, 6);
    EXPECT_THAT(second.rows[4].values(), ElementsAre("会员帐号"));
    EXPECT_THAT(second.rows[6].values(), ElementsAre("m00003"));
}

TEST_F(TaskExportTest, ASingleTickedColumnKeepsItsCaption) {
    addRecords(2);
    const std::string statement = fields({CompanyColumn::MemberType});
    ASSERT_EQ(statement, "SELECT \"会员类型\" FROM Company WHERE SearchID=7");
    ASSERT_EQ(run(statement).outcome, ExportOutcome::Exported);
    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(book.rows.size(), 3u);
    EXPECT_THAT(book.rows[0].values(), ElementsAre("会员类型"));
    EXPECT_THAT(book.rows[2].values(), ElementsAre("诚信通"));
}

std::string argb(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "FF%06X", rgb);
    return text;
}

TEST_F(TaskExportTest, NormalStyleHasNoColoursAndEveryOtherStyleItsPalette) {
    addRecords(2);
    const std::vector<std::string> thin(4, "thin");
    for (const ExportStyleEntry& entry : ExportStyleEntries()) {
        SCOPED_TRACE(std::string(entry.preset));
        const ExportResult result = run(fields({CompanyColumn::MemberId, CompanyColumn::Phone}), 0,
                                        entry.style, std::string(entry.preset) + ".xlsx");
        ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;
        const XlsxBook book = ReadXlsx(path(std::string(entry.preset) + ".xlsx"));
        ASSERT_EQ(book.rows.size(), 3u);
        const std::optional<StylePalette> palette = StylePaletteOf(entry.style);
        ASSERT_EQ(palette.has_value(), entry.style != ExportStyle::Normal);
        for (std::size_t r = 0; r < book.rows.size(); ++r) {
            ASSERT_EQ(book.rows[r].cells.size(), 2u);  // the empty phone too, for its lines
            for (const auto& cell : book.rows[r].cells) {
                EXPECT_EQ(cell.borders, thin) << cell.ref;
                EXPECT_EQ(cell.bold, palette && r == 0) << cell.ref;
                if (!palette) {
                    EXPECT_EQ(cell.fill, std::nullopt) << cell.ref;
                    EXPECT_EQ(cell.fontColor, std::nullopt) << cell.ref;
                    continue;
                }
                const std::uint32_t fill[] = {palette->captionFill, palette->rowFill,
                                              palette->bandFill};
                EXPECT_EQ(cell.fill, argb(fill[r])) << cell.ref;
                EXPECT_EQ(cell.fontColor, argb(r == 0 ? palette->captionFont : palette->rowFont))
                    << cell.ref;
            }
        }
    }
}

TEST_F(TaskExportTest, ValuesThatLookLikeFormulasOrNumbersStayTextAndOddCharactersSurvive) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"=SUM(A1:A2)", "=SUM(A1:A2)"},
        {"=1+1", "=1+1"},
        {"+86-574", "+86-574"},
        {"-5", "-5"},
        {"@import", "@import"},
        {"0123", "0123"},
        {"1e5", "1e5"},
        {"a&b<c>\"d'", "a&b<c>\"d'"},
        {"\x01控制\x1f", "\x01控制\x1f"},
        {"_x0041_", "_x0041_"},
        {"  两端空格  ", "  两端空格  "},
        {"行一\n行二", "行一\n行二"},
        {"bad \xff\xfe bytes", "bad \xEF\xBF\xBD\xEF\xBF\xBD bytes"},
    };
    std::vector<std::string> values;
    for (const auto& c : cases)
        values.push_back(c.first);
    addValues(values);
    const std::string statement = "SELECT \"会员帐号\" FROM Company WHERE SearchID=7 ORDER BY ID";
    ASSERT_EQ(run(statement).outcome, ExportOutcome::Exported);

    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(book.error, "");
    ASSERT_EQ(book.rows.size(), cases.size() + 1);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& cell = book.rows[i + 1].cells.at(0);
        SCOPED_TRACE(cases[i].first);
        EXPECT_THAT(cell.type, ::testing::AnyOf("inlineStr", "s"));
        EXPECT_EQ(cell.formula, std::nullopt);
        EXPECT_EQ(cell.value, cases[i].second);
    }
}

TEST_F(TaskExportTest, CancelOrFailureLeavesExistingWorkbooksAsTheyWereAndKeepsCompletedFiles) {
    struct Case {
        const char* name;
        std::vector<std::string> workbooks;  // existing fixtures
        std::vector<std::string> garbage;    // existing files that are no workbook
        long long rowsPerFile;
        long long cancelAfter;
        ExportOutcome outcome;
        std::vector<std::string> completed;
        const char* error;
    };
    const Case cases[] = {
        {"cancel during a merge", {"list.xlsx"}, {}, 0, 2, ExportOutcome::Cancelled, {}, ""},
        {"cancel in the second file",
         {"list001.xlsx"},
         {},
         2,
         3,
         ExportOutcome::Cancelled,
         {"list.xlsx"},
         ""},
        {"target is no workbook",
         {},
         {"list.xlsx"},
         0,
         -1,
         ExportOutcome::WriteFailed,
         {},
         "list.xlsx"},
        {"second target is no workbook",
         {},
         {"list001.xlsx"},
         2,
         -1,
         ExportOutcome::WriteFailed,
         {"list.xlsx"},
         "list001.xlsx"},
    };
    addRecords(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(out_);
        fs::create_directory(out_);
        std::map<std::string, std::string> before;
        for (const auto& name : c.workbooks)
            ASSERT_TRUE(test::MakeXlsxFixture(path(name)));
        for (const auto& name : c.garbage)
            std::ofstream(path(name)) << "PK\x03\x04 not really";
        for (const auto& name : folderNames(out_))
            before[name] = fileBytes(path(name));
        progress_.cancelAfter = c.cancelAfter;

        const ExportResult result = run(fields({CompanyColumn::MemberId}), c.rowsPerFile);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_THAT(result.error, HasSubstr(c.error));
        std::vector<std::string> completed;
        for (const auto& file : result.files)
            completed.push_back(fs::path(file).filename());
        EXPECT_EQ(completed, c.completed);
        for (const auto& [name, bytes] : before)
            EXPECT_EQ(fileBytes(path(name)), bytes) << name;
        for (const auto& name : c.completed)
            EXPECT_EQ(ReadXlsx(path(name)).rows.size(), 3u);
        std::vector<std::string> expected;
        for (const auto& [name, bytes] : before)
            expected.push_back(name);
        for (const auto& name : c.completed)
            if (!before.count(name))
                expected.push_back(name);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folderNames(out_), expected);  // no temporary file left behind
    }
}

TEST_F(TaskExportTest, AStatementThatCannotBeOpenedWritesNothing) {
    const ExportResult result = run("SELECT \"会员帐号\" FROM NoSuchTable WHERE SearchID=7");
    EXPECT_EQ(result.outcome, ExportOutcome::QueryFailed);
    EXPECT_TRUE(folderNames(out_).empty());
}

TEST_F(TaskExportTest, AMissingFolderFailsWithTheReason) {
    const ExportResult result =
        run(fields({CompanyColumn::MemberId}), 0, ExportStyle::Normal, "missing/list.xlsx");
    EXPECT_EQ(result.outcome, ExportOutcome::WriteFailed);
    EXPECT_THAT(result.error, HasSubstr("missing"));
}

TEST_F(TaskExportTest, RecordsComeInTheOrderTheyWereCollected) {
    addValues({"zeta", "alpha", "mu"});
    addValues({"beta"});
    const ExportResult result = run(fields({CompanyColumn::MemberId}));
    ASSERT_EQ(result.outcome, ExportOutcome::Exported) << result.error;
    const XlsxBook book = ReadXlsx(path("list.xlsx"));
    ASSERT_EQ(book.rows.size(), 5u);
    std::vector<std::string> members;
    for (size_t i = 1; i < book.rows.size(); ++i) members.push_back(book.rows[i].values().at(0));
    EXPECT_THAT(members, ElementsAre("zeta", "alpha", "mu", "beta"));
}

}  // namespace
}  // namespace corpgather

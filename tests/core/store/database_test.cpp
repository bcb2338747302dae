#include "store/database.h"

#include <atomic>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/app_paths.h"
#include "store/company_record.h"
#include "store/database_file.h"
#include "store/task_store.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The texts of one column of every row a statement returns.
std::vector<std::string> columnTexts(const std::string& sql, int column = 0) {
    std::vector<std::string> texts;
    Query query;
    EXPECT_TRUE(OpenSQL(query, sql)) << sql << ": " << LastDatabaseError();
    for (; !query.eof(); query.next())
        texts.push_back(query.text(column));
    return texts;
}

std::set<std::string> folderListing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(DatabaseTest, MissingFileIsCreatedWithTheSchema) {
    test::TempHome home;
    std::string error;
    ASSERT_TRUE(OpenDatabase(&error)) << error;
    EXPECT_TRUE(std::filesystem::exists(home.file("SearchCom.mdb")));

    EXPECT_THAT(columnTexts("PRAGMA table_info(SearchTask)", 1),
                ElementsAreArray({"SearchID", "EngineID", "SearchEngine", "SearchName", "Url",
                                  "Utf8", "HttpMethod", "TotalNum", "TotalPage", "TermName", "Page",
                                  "Num", "InfoNum", "IsFinish", "Del"}));
    std::vector<std::string> companyColumns = {"ID", "SearchID"};
    for (std::size_t i = 0; i < kCompanyColumnCount; ++i) {
        companyColumns.emplace_back(CompanyColumnName(i));
    }
    EXPECT_THAT(columnTexts("PRAGMA table_info(Company)", 1), ElementsAreArray(companyColumns));
    EXPECT_EQ(std::set<std::string>(companyColumns.begin(), companyColumns.end()).size(),
              companyColumns.size());

    // Statements on one task's rows find them through the task index, whose order is the
    // order of collection.
    const auto plan = columnTexts(
        "EXPLAIN QUERY PLAN SELECT 会员帐号 FROM Company WHERE SearchID=1 AND 会员帐号<>''", 3);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_THAT(plan[0], HasSubstr("INDEX CompanyByTask"));
}

TEST(DatabaseTest, ConnectionsCreatingTheFileAtOnceAllOpenIt) {
    constexpr int kThreads = 8;
    for (int round = 0; round < 5; ++round) {
        test::TempHome home;
        std::atomic<int> waiting{kThreads};
        std::vector<std::string> errors(kThreads);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i) {
            threads.emplace_back([&, i] {
                --waiting;
                while (waiting > 0)
                    std::this_thread::yield();
                if (!OpenDatabase(&errors[i]) || !NextSearchID())
                    errors[i] += "failed";
            });
        }
        for (auto& thread : threads)
            thread.join();
        for (int i = 0; i < kThreads; ++i)
            EXPECT_EQ(errors[i], "") << "round " << round;
    }
}

TEST(DatabaseTest, FileIsEncryptedWithTheCompiledInPassword) {
    test::TempHome home;
    ASSERT_TRUE(AddTask({"7", "0", "2alibaba.cfg", "阿里巴巴", "http://x/?beginPage=1", "0", "0",
                         "10", "1", "灯具"}));
    CloseDatabase();

    const std::string bytes = home.readFile("SearchCom.mdb");
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_NE(bytes.substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_EQ(bytes.find("灯具"), std::string::npos);

    std::string error;
    EXPECT_FALSE(OpenDatabaseFile(home.file("SearchCom.mdb"), "", &error));
    EXPECT_THAT(error, HasSubstr("not a database"));
    CloseDatabase();

    const auto task = ReadTask(7);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->termName, "灯具");
}

// Bytes of a SQLite file made with `key` (empty: plain), holding a table of its own.
std::string databaseBytes(const test::TempHome& home, std::string_view key) {
    const std::string path = home.file("made.db");
    EXPECT_TRUE(OpenDatabaseFile(path, key));
    EXPECT_TRUE(RunSQL("CREATE TABLE Other (x INTEGER)"));
    CloseDatabase();
    const std::string bytes = home.readFile("made.db");
    std::filesystem::remove(path);
    return bytes;
}

TEST(DatabaseTest, FileThatCannotBeOpenedIsNeverTouched) {
    struct Case {
        const char* name;
        std::function<std::string(const test::TempHome&)> content;
    };
    const Case cases[] = {
        {"wrong key", [](const auto& home) { return databaseBytes(home, "another password"); }},
        {"plain SQLite", [](const auto& home) { return databaseBytes(home, ""); }},
        {"text", [](const auto&) { return std::string("Standard Jet DB\r\nnot sqlite\r\n"); }},
        {"binary", [](const auto&) { return std::string(8192, '\x5a'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        const std::string content = c.content(home);
        home.writeFile("SearchCom.mdb", content);
        const auto listing = folderListing(home.path());

        std::string error;
        EXPECT_FALSE(OpenDatabase(&error));
        EXPECT_THAT(error, Not(IsEmpty()));
        EXPECT_FALSE(RunSQL("CREATE TABLE IF NOT EXISTS Company (ID INTEGER)"));
        Query query;
        EXPECT_FALSE(OpenSQL(query, "SELECT count(*) FROM sqlite_master"));
        EXPECT_FALSE(query.isOpen());
        EXPECT_FALSE(NextSearchID());
        EXPECT_FALSE(CommitCompanyBatch(0, {CompanyRecord{}}));

        CloseDatabase();
        EXPECT_EQ(home.readFile("SearchCom.mdb"), content);
        EXPECT_EQ(folderListing(home.path()), listing);

        // Once the file can be opened, the next statement opens it.
        std::filesystem::remove(home.file("SearchCom.mdb"));
        EXPECT_EQ(NextSearchID(), 0);
    }
}

TEST(DatabaseTest, FailingStatementsReturnFalse) {
    test::TempHome home;
    EXPECT_FALSE(RunSQL("UPDATE Missing SET Num=1"));
    EXPECT_THAT(LastDatabaseError(), HasSubstr("no such table"));
    EXPECT_FALSE(RunSQL("UPDATE SearchTask SET"));

    Query query;
    EXPECT_FALSE(OpenSQL(query, "SELECT * FROM Missing"));
    EXPECT_FALSE(query.isOpen());
    EXPECT_FALSE(OpenSQL(query, "   "));
    EXPECT_FALSE(query.isOpen());

    Statement statement("INSERT INTO Missing VALUES (?)");
    EXPECT_FALSE(statement.ok());
    EXPECT_FALSE(statement.exec());
}

TEST(DatabaseTest, QueryOverEmptyTableIsAtEndAtOnce) {
    test::TempHome home;
    Query query;
    ASSERT_TRUE(OpenSQL(query, "SELECT * FROM SearchTask"));
    EXPECT_TRUE(query.isOpen());
    EXPECT_TRUE(query.eof());
    EXPECT_FALSE(query.failed());
    EXPECT_EQ(query.columnCount(), 15);
    EXPECT_EQ(query.fieldInt("SearchID"), 0);
}

TEST(DatabaseTest, QueryReadsFieldsByName) {
    test::TempHome home;
    ASSERT_TRUE(
        RunSQL("INSERT INTO SearchTask (SearchID, TermName, TotalNum, Utf8) VALUES "
               "(2, '手机', NULL, '12'), (1, '', 30, 'x')"));
    Query query;
    ASSERT_TRUE(OpenSQL(query, "SELECT * FROM SearchTask ORDER BY SearchID"));
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldInt("searchid"), 1);
    EXPECT_EQ(query.fieldText("TotalNum"), "30");
    EXPECT_EQ(query.fieldInt("Utf8"), 0);
    EXPECT_EQ(query.fieldInt("NoSuchField"), 0);
    EXPECT_EQ(query.fieldText("NoSuchField"), "");
    query.next();
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldText("TermName"), "手机");
    EXPECT_TRUE(query.isNull("TotalNum"));
    EXPECT_EQ(query.fieldInt("TotalNum"), 0);
    EXPECT_EQ(query.fieldText("TotalNum"), "");
    EXPECT_EQ(query.fieldInt("Utf8"), 12);
    query.next();
    EXPECT_TRUE(query.eof());
    EXPECT_FALSE(query.failed());
}

TEST(DatabaseTest, ConnectionFollowsTheProgramFolder) {
    test::TempHome home;
    ASSERT_TRUE(AddTask({"4", "0", "", "", "", "", "", "", "", "first"}));
    ASSERT_EQ(NextSearchID(), 5);

    const auto other = home.path() / "other";
    std::filesystem::create_directory(other);
    SetAppPathOverride(other.string());
    EXPECT_EQ(NextSearchID(), 0);
    EXPECT_TRUE(std::filesystem::exists(other / "SearchCom.mdb"));

    SetAppPathOverride(home.path().string());
    EXPECT_EQ(NextSearchID(), 5);
}

TEST(DatabaseTest, TransactionRollsBackUnlessCommitted) {
    test::TempHome home;
    {
        Transaction transaction;
        ASSERT_TRUE(transaction.active());
        ASSERT_TRUE(RunSQL("INSERT INTO SearchTask (SearchID) VALUES (1)"));
    }
    EXPECT_EQ(NextSearchID(), 0);
    {
        Transaction transaction;
        ASSERT_TRUE(RunSQL("INSERT INTO SearchTask (SearchID) VALUES (1)"));
        EXPECT_TRUE(transaction.commit());
        EXPECT_FALSE(transaction.active());
    }
    EXPECT_EQ(NextSearchID(), 2);
}

TEST(DatabaseTest, ThreadsWriteAtOnceThroughTheirOwnConnections) {
    test::TempHome home;
    constexpr int kThreads = 4;
    constexpr int kBatches = 40;
    constexpr int kRows = 25;
    for (int task = 0; task < kThreads; ++task) {
        ASSERT_TRUE(AddTask({std::to_string(task), "0", "", "", "", "", "", "", "", ""}));
    }
    CompanyRecord record;
    record[CompanyColumn::CompanyName] = "宁波某某电器有限公司";
    record[CompanyColumn::Introduction] = std::string(2000, 'x');

    std::vector<std::string> errors(kThreads);
    std::vector<std::thread> threads;
    for (int task = 0; task < kThreads; ++task) {
        threads.emplace_back([&, task] {
            const std::vector<CompanyRecord> batch(kRows, record);
            for (int i = 0; i < kBatches && errors[task].empty(); ++i) {
                std::string error;
                if (!CommitCompanyBatch(task, batch, &error))
                    errors[task] = error;
                if (!AddPageDone(task))
                    errors[task] = LastDatabaseError();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();

    for (int task = 0; task < kThreads; ++task) {
        EXPECT_EQ(errors[task], "") << "task " << task;
        EXPECT_EQ(CountCompanies(task), kBatches * kRows);
        EXPECT_EQ(ReadNum(task), kBatches * kRows);
        EXPECT_EQ(ReadTask(task)->page, kBatches);
    }
}

}  // namespace
}  // namespace corpgather

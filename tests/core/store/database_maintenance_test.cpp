#include "store/database_maintenance.h"

#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/company_record.h"
#include "store/database.h"
#include "store/database_file.h"
#include "store/task_store.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

using ::testing::HasSubstr;

long long count(const std::string& table) {
    Query query;
    EXPECT_TRUE(OpenSQL(query, "SELECT count(*) FROM " + table)) << LastDatabaseError();
    return query.isOpen() ? query.fieldInt("count(*)") : -1;
}

// Every row of both tables as text, to compare contents before and after.
std::vector<std::string> allRows() {
    std::vector<std::string> rows;
    for (const char* sql :
         {"SELECT * FROM SearchTask ORDER BY SearchID", "SELECT * FROM Company ORDER BY ID"}) {
        Query query;
        EXPECT_TRUE(OpenSQL(query, sql)) << LastDatabaseError();
        for (; !query.eof(); query.next()) {
            std::string row;
            for (int column = 0; column < query.columnCount(); ++column)
                row += query.text(column) + '|';
            rows.push_back(row);
        }
    }
    return rows;
}

void addTaskWithCompanies(int searchId, int companies, const std::string& filler = "x") {
    ASSERT_TRUE(AddTask({std::to_string(searchId), "0", "2alibaba.cfg", "阿里巴巴",
                         "http://x/?beginPage=1", "0", "0", "10", "1", "灯具"}));
    std::vector<CompanyRecord> rows(companies);
    for (int i = 0; i < companies; ++i) {
        rows[i].searchId = searchId;
        rows[i].values[0] = "member" + std::to_string(i);
        rows[i].values[static_cast<std::size_t>(CompanyColumn::Introduction)] = filler;
    }
    std::string error;
    ASSERT_TRUE(CommitCompanyBatch(searchId, rows, &error)) << error;
}

TEST(DatabaseMaintenanceTest, ClearEmptiesBothTables) {
    test::TempHome home;
    addTaskWithCompanies(0, 3);
    addTaskWithCompanies(1, 2);

    std::string error;
    ASSERT_TRUE(ClearDatabase(&error)) << error;
    EXPECT_EQ(count("SearchTask"), 0);
    EXPECT_EQ(count("Company"), 0);
    EXPECT_EQ(NextSearchID(), 0);
}

TEST(DatabaseMaintenanceTest, ClearThatFailsHalfWayChangesNothing) {
    test::TempHome home;
    addTaskWithCompanies(0, 3);
    ASSERT_TRUE(
        RunSQL("CREATE TRIGGER KeepCompanies BEFORE DELETE ON Company "
               "BEGIN SELECT RAISE(ABORT, 'companies are kept'); END"));

    std::string error;
    EXPECT_FALSE(ClearDatabase(&error));
    EXPECT_THAT(error, HasSubstr("companies are kept"));
    EXPECT_EQ(count("SearchTask"), 1);
    EXPECT_EQ(count("Company"), 3);
    // The failed clear left no transaction open.
    EXPECT_TRUE(RunSQL("UPDATE SearchTask SET Num=7"));
    EXPECT_EQ(ReadNum(0), 7);
}

TEST(DatabaseMaintenanceTest, CompactionShrinksTheFileAndKeepsKeyAndContents) {
    test::TempHome home;
    addTaskWithCompanies(0, 200, std::string(4000, 'a'));
    addTaskWithCompanies(1, 5);
    ASSERT_TRUE(RunSQL("DELETE FROM Company WHERE SearchID=0"));
    ASSERT_TRUE(RunSQL("PRAGMA wal_checkpoint(TRUNCATE)"));
    const auto before = std::filesystem::file_size(home.file("SearchCom.mdb"));
    const auto rows = allRows();

    // A run's connection, opened on its own thread before the compaction, goes on working.
    std::promise<void> opened;
    std::promise<void> compacted;
    long long seenByOtherThread = -1;
    std::thread other([&] {
        EXPECT_TRUE(OpenDatabase());
        opened.set_value();
        compacted.get_future().wait();
        seenByOtherThread = count("Company");
        CloseDatabase();
    });
    opened.get_future().wait();
    std::string error;
    EXPECT_TRUE(CompactDatabase(&error)) << error;
    compacted.set_value();
    other.join();

    EXPECT_LT(std::filesystem::file_size(home.file("SearchCom.mdb")), before / 4);
    EXPECT_EQ(allRows(), rows);
    EXPECT_EQ(seenByOtherThread, 5);
    addTaskWithCompanies(2, 1);
    EXPECT_EQ(count("Company"), 6);

    CloseDatabase();
    const std::string bytes = home.readFile("SearchCom.mdb");
    EXPECT_NE(bytes.substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_FALSE(OpenDatabaseFile(home.file("SearchCom.mdb"), ""));
    CloseDatabase();
    ASSERT_TRUE(OpenDatabase());
    EXPECT_EQ(count("Company"), 6);
}

TEST(DatabaseMaintenanceTest, CompactionRemovesALeftoverTemporaryFile) {
    test::TempHome home;
    addTaskWithCompanies(0, 2);
    const auto rows = allRows();
    home.writeFile("SearchCom.mdb.tmp", "left from an earlier compaction");

    std::string error;
    ASSERT_TRUE(CompactDatabase(&error)) << error;
    EXPECT_FALSE(std::filesystem::exists(home.file("SearchCom.mdb.tmp")));
    EXPECT_EQ(allRows(), rows);
}

TEST(DatabaseMaintenanceTest, CompactionOfAFileThatCannotBeOpenedFailsAndKeepsIt) {
    test::TempHome home;
    const std::string content(8192, '\x5a');
    home.writeFile("SearchCom.mdb", content);

    std::string error;
    EXPECT_FALSE(CompactDatabase(&error));
    EXPECT_FALSE(error.empty());
    CloseDatabase();
    EXPECT_EQ(home.readFile("SearchCom.mdb"), content);
}

}  // namespace
}  // namespace corpgather

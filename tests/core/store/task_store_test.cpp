#include "store/task_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/database.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

TSearchTask taskText(int searchId) {
    return {std::to_string(searchId),
            "0",
            "2alibaba.cfg",
            "阿里巴巴",
            "http://s/?beginPage=1",
            "1",
            "0",
            "120",
            "3",
            "LED灯"};
}

CompanyRecord company(const std::string& memberId) {
    CompanyRecord record;
    record[CompanyColumn::MemberId] = memberId;
    record[CompanyColumn::CompanyName] = memberId + "有限公司";
    record[CompanyColumn::Phone] = "86-0574-88888888";
    return record;
}

std::vector<CompanyRecord> companies(int count, const std::string& prefix) {
    std::vector<CompanyRecord> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(company(prefix + std::to_string(i)));
    return rows;
}

TEST(TaskStoreTest, NextSearchIdIsOneMoreThanTheLargest) {
    struct Case {
        const char* name;
        std::vector<int> tasks;
        std::vector<int> purged;
        int expected;
    };
    const Case cases[] = {
        {"empty table", {}, {}, 0},
        {"one task numbered 0", {0}, {}, 1},
        {"tasks 1, 2, 5 with 5 purged", {1, 2, 5}, {5}, 3},
        {"deleted but not purged still counts", {1, 2, 5}, {}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        for (int id : c.tasks)
            ASSERT_TRUE(AddTask(taskText(id)));
        for (int id : c.purged)
            ASSERT_TRUE(MarkTaskDeleted(id));
        ASSERT_TRUE(PurgeDeletedTasks());
        EXPECT_EQ(NextSearchID(), c.expected);
    }
}

TEST(TaskStoreTest, NewTaskHasZeroCountersAndIsNotDeleted) {
    test::TempHome home;
    std::string error;
    ASSERT_TRUE(AddTask(taskText(3), &error)) << error;

    const auto task = ReadTask(3);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->searchEngine, "2alibaba.cfg");
    EXPECT_EQ(task->searchName, "阿里巴巴");
    EXPECT_EQ(task->termName, "LED灯");
    EXPECT_EQ(task->utf8, "1");
    EXPECT_EQ(task->totalNum, 120);
    EXPECT_EQ(task->totalPage, 3);
    EXPECT_EQ(task->page, 0);
    EXPECT_EQ(task->num, 0);
    EXPECT_EQ(task->infoNum, 0);
    EXPECT_EQ(task->isFinish, 0);
    EXPECT_EQ(task->del, 0);

    Query query;
    ASSERT_TRUE(OpenSQL(query, "SELECT SearchID FROM SearchTask WHERE Del=0"));
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldInt("SearchID"), 3);
}

TEST(TaskStoreTest, AddTaskConvertsNumbersFromText) {
    test::TempHome home;
    TSearchTask text = taskText(1);
    text.EngineID = " 2 ";
    text.HttpMethod = "";
    text.TotalNum = "";
    text.TotalPage = "约10页";
    ASSERT_TRUE(AddTask(text));
    const auto task = ReadTask(1);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->engineId, 2);
    EXPECT_EQ(task->httpMethod, 0);
    EXPECT_EQ(task->totalNum, std::nullopt);
    EXPECT_EQ(task->totalPage, std::nullopt);

    struct Refused {
        const char* name;
        TSearchTask task;
    };
    TSearchTask badId = taskText(2);
    badId.SearchID = "2a";
    TSearchTask badEngine = taskText(2);
    badEngine.EngineID = "1.5";
    const Refused refused[] = {
        {"SearchID no number", badId},
        {"EngineID no number", badEngine},
        {"SearchID taken", taskText(1)},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name);
        std::string error;
        EXPECT_FALSE(AddTask(r.task, &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(ListTasks().size(), 1u);
}

TEST(TaskStoreTest, CountersAndMarks) {
    test::TempHome home;
    ASSERT_TRUE(AddTask(taskText(1)));
    ASSERT_TRUE(AddTask(taskText(2)));
    EXPECT_TRUE(AddPageDone(1));
    EXPECT_TRUE(AddPageDone(1));
    EXPECT_TRUE(MarkTaskFinishedInTable(1));
    EXPECT_TRUE(MarkTaskDeleted(2));

    EXPECT_EQ(ReadTask(1)->page, 2);
    EXPECT_EQ(ReadTask(1)->isFinish, 1);
    EXPECT_EQ(ReadTask(2)->page, 0);
    EXPECT_EQ(ReadTask(2)->del, 1);
    const auto listed = ListTasks();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].searchId, 1);
    EXPECT_EQ(ReadNum(1), 0);
    EXPECT_EQ(ReadNum(9), std::nullopt);
    EXPECT_EQ(ReadTask(9), std::nullopt);
}

TEST(TaskStoreTest, BatchStoresRowsAndAdvancesCounters) {
    test::TempHome home;
    ASSERT_TRUE(AddTask(taskText(1)));
    ASSERT_TRUE(AddTask(taskText(2)));
    std::string error;
    ASSERT_TRUE(CommitCompanyBatch(1, companies(25, "a"), &error)) << error;
    auto last = companies(3, "b");
    last[2][CompanyColumn::MemberId] = "";
    last[1][CompanyColumn::Introduction] = "专业生产'各类'灯具;\n\"质量\"第一";
    ASSERT_TRUE(CommitCompanyBatch(1, last, &error)) << error;
    ASSERT_TRUE(CommitCompanyBatch(2, {company("c0")}, &error)) << error;

    EXPECT_EQ(ReadTask(1)->num, 28);
    EXPECT_EQ(ReadTask(1)->infoNum, 28);
    EXPECT_EQ(CountCompanies(1), 28);
    EXPECT_EQ(CountCompanies(2), 1);
    EXPECT_EQ(StoredMemberIds(1).size(), 27u);
    EXPECT_TRUE(StoredMemberIds(1).count("b1"));
    EXPECT_THAT(StoredMemberIds(2), UnorderedElementsAre("c0"));

    Query query;
    ASSERT_TRUE(OpenSQL(query, "SELECT * FROM Company WHERE 会员帐号='b1'"));
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldInt("SearchID"), 1);
    EXPECT_EQ(query.fieldText("公司名称"), "b1有限公司");
    EXPECT_EQ(query.fieldText("公司介绍"), "专业生产'各类'灯具;\n\"质量\"第一");
    EXPECT_FALSE(query.isNull("邮箱"));
    EXPECT_EQ(query.fieldText("邮箱"), "");
}

TEST(TaskStoreTest, FailedBatchStoresNothingAndKeepsCounters) {
    struct Case {
        const char* name;
        const char* sabotage;
        const char* repair;
        int searchId;
    };
    const Case cases[] = {
        {"third row refused",
         "CREATE TRIGGER refuse BEFORE INSERT ON Company WHEN NEW.会员帐号='x2' "
         "BEGIN SELECT RAISE(ABORT, 'refused row'); END",
         "DROP TRIGGER refuse", 1},
        {"counter update refused",
         "CREATE TRIGGER refuse BEFORE UPDATE OF Num ON SearchTask "
         "BEGIN SELECT RAISE(ABORT, 'refused counter'); END",
         "DROP TRIGGER refuse", 1},
        {"table gone", "ALTER TABLE Company RENAME TO Gone", "ALTER TABLE Gone RENAME TO Company",
         1},
        {"task missing", "SELECT 1", "SELECT 1", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        ASSERT_TRUE(AddTask(taskText(1)));
        ASSERT_TRUE(CommitCompanyBatch(1, companies(5, "a")));
        ASSERT_TRUE(RunSQL(c.sabotage));

        std::string error;
        EXPECT_FALSE(CommitCompanyBatch(c.searchId, companies(4, "x"), &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadTask(1)->num, 5);
        EXPECT_EQ(ReadTask(1)->infoNum, 5);

        // Nothing of the failed batch stays behind, and no transaction is left open.
        ASSERT_TRUE(RunSQL(c.repair)) << LastDatabaseError();
        EXPECT_EQ(CountCompanies(1), 5);
        EXPECT_EQ(CountCompanies(9), 0);
        EXPECT_TRUE(CommitCompanyBatch(1, companies(2, "y"), &error)) << error;
        EXPECT_EQ(ReadTask(1)->num, 7);
    }
}

TEST(TaskStoreTest, PurgeRemovesDeletedTasksWithTheirCompanies) {
    test::TempHome home;
    for (int id : {1, 2, 3}) {
        ASSERT_TRUE(AddTask(taskText(id)));
        ASSERT_TRUE(CommitCompanyBatch(id, companies(id, "m")));
    }
    ASSERT_TRUE(MarkTaskDeleted(1));
    ASSERT_TRUE(MarkTaskDeleted(3));
    ASSERT_TRUE(PurgeDeletedTasks());

    EXPECT_EQ(ReadTask(1), std::nullopt);
    EXPECT_EQ(ReadTask(3), std::nullopt);
    EXPECT_EQ(CountCompanies(1), 0);
    EXPECT_EQ(CountCompanies(3), 0);
    EXPECT_EQ(CountCompanies(2), 2);
    EXPECT_EQ(ReadTask(2)->num, 2);
}

}  // namespace
}  // namespace corpgather

#include <algorithm>
#include <set>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run/company_list_lock.h"
#include "store/database.h"
#include "store/task_store.h"
#include "support/run_fixture.h"

namespace corpgather::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

size_t countContaining(const std::vector<std::string>& targets, const std::string& part) {
    return std::count_if(targets.begin(), targets.end(),
                         [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

std::vector<std::string> listingTargets(const std::vector<std::string>& targets) {
    std::vector<std::string> listings;
    for (const std::string& t : targets)
        if (t.find("company_search.htm") != std::string::npos) listings.push_back(t);
    return listings;
}

void setTaskColumns(int id, const std::string& assignments) {
    ASSERT_TRUE(RunSQL("UPDATE SearchTask SET " + assignments + " WHERE SearchID=" + std::to_string(id)));
}

TaskRow task(int id) { return ReadTask(id).value(); }

// A listing of 3 pages × 20 companies whose pages need no fetch, unless a test asks for more.
class CollectionRunTest : public ::testing::Test {
protected:
    explicit CollectionRunTest(std::vector<std::string> extra = {}) : market_(arguments(extra)) {}

    static std::vector<std::string> arguments(const std::vector<std::string>& extra) {
        std::vector<std::string> args{"--pages", "3", "--per-page", "20", "--layouts", "unknown=1"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    SimulatedMarket market_;
    RecordingObserver observer_;
};

TEST_F(CollectionRunTest, NewTaskWalksEveryPageAndFinishes) {
    const int id = market_.addTask(market_.listingUrl(1), 3);
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);

    const std::vector<std::string> listings = listingTargets(market_.requestTargets());
    ASSERT_EQ(listings.size(), 3u);
    for (int page = 1; page <= 3; ++page)
        EXPECT_THAT(listings[page - 1], HasSubstr("beginPage=" + std::to_string(page) + "&"));
    EXPECT_EQ(task(id).page, 3);
    EXPECT_EQ(task(id).isFinish, 1);
    EXPECT_EQ(market_.storedRows(id), 60);
    EXPECT_EQ(market_.num(id), 60);
    EXPECT_EQ(task(id).infoNum, 60);

    const auto events = observer_.events();
    EXPECT_EQ(events.front().kind, RecordingObserver::Event::Running);
    EXPECT_EQ(events.back().kind, RecordingObserver::Event::Ended);
    EXPECT_EQ(events[2].texts[16], "1");  // record number of the first record
    EXPECT_EQ(observer_.counts().back(), 60);
}

TEST_F(CollectionRunTest, NothingToFetchWhenStartIsBeyondTheLastPage) {
    for (const std::optional<int> totalPage : {std::optional<int>(4), std::optional<int>()}) {
        market_.clearRequestLog();
        RecordingObserver observer;
        const int id = market_.addTask(market_.listingUrl(5), totalPage);
        EXPECT_EQ(market_.runToEnd(id, observer), RunOutcome::Finished);
        EXPECT_TRUE(market_.requestTargets().empty());
        EXPECT_EQ(task(id).isFinish, 1);
        EXPECT_EQ(observer.events().size(), 2u);  // running, then finished
    }
}

TEST_F(CollectionRunTest, PagesDoneByAnEarlierRunYieldNoEntries) {
    const int id = market_.addTask(market_.listingUrl(1), 3);
    setTaskColumns(id, "Page=2");
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    const std::vector<std::string> listings = listingTargets(market_.requestTargets());
    ASSERT_EQ(listings.size(), 2u);
    EXPECT_THAT(listings[0], HasSubstr("beginPage=2&"));
    EXPECT_EQ(task(id).page, 3);  // page 2 is not counted twice
    EXPECT_EQ(market_.storedRows(id), 20);  // page 3 only
}

TEST_F(CollectionRunTest, InfoNumPassesOverEntriesOfTheFirstPage) {
    struct Case {
        int infoNum;
        long long stored;
    };
    for (const Case c : {Case{5, 55}, Case{30, 40}}) {
        const int id = market_.addTask(market_.listingUrl(1), 3);
        setTaskColumns(id, "InfoNum=" + std::to_string(c.infoNum));
        RecordingObserver observer;
        EXPECT_EQ(market_.runToEnd(id, observer), RunOutcome::Finished);
        EXPECT_EQ(market_.storedRows(id), c.stored) << "InfoNum " << c.infoNum;
    }
}

TEST_F(CollectionRunTest, CountersEqualStoredRowsAtEveryRecord) {
    market_.setOption("SaveNum", 7);
    const int id = market_.addTask(market_.listingUrl(1), 3);
    std::vector<std::pair<long long, long long>> seen;  // Num, stored rows
    observer_.onStored = [&](const CompanyDisplayTexts&) {
        seen.emplace_back(market_.num(id), market_.storedRows(id));
    };
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    ASSERT_EQ(seen.size(), 60u);
    for (const auto& [num, rows] : seen) EXPECT_EQ(num, rows);
    EXPECT_EQ(seen[0].second, 1);   // the first record is stored at once
    EXPECT_EQ(seen[7].second, 8);   // then batches of seven
    EXPECT_EQ(seen[6].second, 1);
}

TEST_F(CollectionRunTest, ShownCountContinuesFromTheStoredCount) {
    const int id = market_.addTask(market_.listingUrl(3), 3);
    setTaskColumns(id, "Num=40, InfoNum=0");
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    EXPECT_EQ(observer_.counts().front(), 41);
}

TEST_F(CollectionRunTest, UnknownAddressFormKeepsOnlyListingValues) {
    const int id = market_.addTask(market_.listingUrl(1), 1, "阿里巴巴");
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    EXPECT_EQ(countContaining(market_.requestTargets(), "/athena/"), 0u);
    Query row;
    ASSERT_TRUE(OpenSQL(row, "SELECT * FROM Company WHERE SearchID=" + std::to_string(id) + " ORDER BY ID"));
    ASSERT_FALSE(row.eof());
    EXPECT_FALSE(row.fieldText("会员帐号").empty());
    EXPECT_FALSE(row.fieldText("公司名称").empty());
    EXPECT_FALSE(row.fieldText("源网址").empty());
    EXPECT_FALSE(row.fieldText("搜索时间").empty());
    EXPECT_EQ(row.fieldText("搜索来源"), "阿里巴巴");
    for (const char* empty : {"联系人", "电话", "公司介绍", "省份", "会员类型", "邮箱"})
        EXPECT_EQ(row.fieldText(empty), "") << empty;
}

TEST_F(CollectionRunTest, FailedListingPageIsLoggedAndStillCounted) {
    HttpGet(market_.sim().baseUrl() + "/__sim/fault?kind=status&param=500&match=beginPage=2%26");
    const int id = market_.addTask(market_.listingUrl(1), 3);
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    EXPECT_EQ(market_.storedRows(id), 40);
    EXPECT_EQ(task(id).page, 3);
    const std::string log = market_.home().readFile("Log.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
    EXPECT_THAT(log, HasSubstr("beginPage=2&"));
    EXPECT_THAT(log, HasSubstr("500"));
}

TEST_F(CollectionRunTest, AddressWithoutPageNumberEndsStoppedWithoutFetching) {
    const int id = market_.addTask(market_.sim().baseUrl() + "/company/company_search.htm?keywords=abc&beginPage=x", 3);
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Failed);
    EXPECT_TRUE(market_.requestTargets().empty());
    EXPECT_EQ(task(id).isFinish, 0);
    EXPECT_THAT(market_.home().readFile("Log.txt"), HasSubstr("beginPage="));
}

TEST_F(CollectionRunTest, SettingsBelowOneCountAsTheirDefaults) {
    market_.setOption("SaveNum", 0);
    market_.setOption("IntervalData", 0);
    const int id = market_.addTask(market_.listingUrl(1), 2);
    std::vector<long long> rows;
    observer_.onStored = [&](const CompanyDisplayTexts&) { rows.push_back(market_.storedRows(id)); };
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    ASSERT_EQ(rows.size(), 40u);
    EXPECT_EQ(rows[19], 1);   // a batch of 25 is never full within a page of 20
    EXPECT_EQ(rows[20], 20);  // the end of page 1 stored its rows
}

TEST_F(CollectionRunTest, FailingCommitEndsTheRunUnfinishedAndReleasesTheLock) {
    ASSERT_TRUE(RunSQL("CREATE TRIGGER refuse BEFORE INSERT ON Company "
                       "BEGIN SELECT RAISE(ABORT, 'disk says no'); END"));
    const int id = market_.addTask(market_.listingUrl(1), 3);
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Failed);
    EXPECT_EQ(task(id).isFinish, 0);
    EXPECT_EQ(market_.num(id), 0);
    EXPECT_THAT(market_.home().readFile("Log.txt"), HasSubstr("disk says no"));
    std::unique_lock lock(CompanyListLock(), std::try_to_lock);
    EXPECT_TRUE(lock.owns_lock());
}

TEST_F(CollectionRunTest, IntervalPauseFollowsEveryIntervalDataRecords) {
    market_.setOption("IntervalData", 20);
    market_.setOption("IntervalTime", 1);
    const int id = market_.addTask(market_.listingUrl(1), 2);
    std::vector<std::chrono::steady_clock::time_point> at;
    observer_.onStored = [&](const CompanyDisplayTexts&) { at.push_back(std::chrono::steady_clock::now()); };
    EXPECT_EQ(market_.runToEnd(id, observer_), RunOutcome::Finished);
    ASSERT_EQ(at.size(), 40u);
    EXPECT_GE(at[20] - at[19], std::chrono::milliseconds(950));
}

// Companies with pages to fetch, served slowly enough to stop a run in the middle.
class InterruptedRunTest : public CollectionRunTest {
protected:
    InterruptedRunTest()
        : CollectionRunTest({"--layouts", "detail=1,titlebar=1,site=1,unknown=1", "--latency-ms", "3"}) {}
};

TEST_F(InterruptedRunTest, StoppedRunKeepsCountersAndResumesWithoutDuplicates) {
    market_.setOption("SaveNum", 10);
    const int id = market_.addTask(market_.listingUrl(1), 3);
    {
        TThreadData run(id, observer_);
        run.start();
        ASSERT_TRUE(waitFor([&] { return observer_.storedCount() >= 27; }));
        run.stop();
        run.wait();
    }
    EXPECT_EQ(observer_.outcome(), RunOutcome::Stopped);
    const long long afterStop = market_.storedRows(id);
    EXPECT_GE(afterStop, 27);          // rows collected since the last batch were committed
    EXPECT_EQ(market_.num(id), afterStop);
    EXPECT_EQ(task(id).isFinish, 0);

    const std::vector<std::string> before = market_.storedMembers(id);
    market_.clearRequestLog();
    RecordingObserver second;
    EXPECT_EQ(market_.runToEnd(id, second), RunOutcome::Finished);
    const std::vector<std::string> members = market_.storedMembers(id);
    EXPECT_EQ(members.size(), 60u);
    EXPECT_EQ(std::set<std::string>(members.begin(), members.end()).size(), 60u);
    EXPECT_EQ(market_.num(id), 60);
    // Companies stored by the first run were not fetched again.
    const std::vector<std::string> targets = market_.requestTargets();
    for (const std::string& member : before)
        EXPECT_EQ(countContaining(targets, "/" + member + ".html"), 0u) << member;
}

TEST_F(InterruptedRunTest, PauseHoldsTheRunAndResumeContinuesTheNumbering) {
    const int id = market_.addTask(market_.listingUrl(1), 2);
    TThreadData run(id, observer_);
    run.start();
    ASSERT_TRUE(waitFor([&] { return observer_.storedCount() >= 5; }));
    run.pause();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const size_t paused = observer_.storedCount();
    const size_t requests = market_.requestTargets().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(observer_.storedCount(), paused);
    EXPECT_EQ(market_.requestTargets().size(), requests);
    run.resume();
    run.wait();
    std::vector<std::string> numbers;
    for (const auto& event : observer_.events())
        if (event.kind == RecordingObserver::Event::Stored) numbers.push_back(event.texts[16]);
    ASSERT_EQ(numbers.size(), 40u);
    for (size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], std::to_string(i + 1));
}

TEST_F(CollectionRunTest, StopAbortsAHangingFetchPromptly) {
    HttpGet(market_.sim().baseUrl() + "/__sim/fault?kind=hang&match=beginPage=2%26");
    const int id = market_.addTask(market_.listingUrl(1), 3);
    TThreadData run(id, observer_);
    run.start();
    ASSERT_TRUE(waitFor([&] { return countContaining(market_.requestTargets(), "beginPage=2&") == 1; }));
    const auto stopped = std::chrono::steady_clock::now();
    run.stop();
    run.wait();
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::seconds(1));
    EXPECT_EQ(observer_.outcome(), RunOutcome::Stopped);
    EXPECT_EQ(task(id).page, 1);  // the page cut off by the stop is not counted
    EXPECT_EQ(market_.num(id), 20);
}

}  // namespace
}  // namespace corpgather::test

#include <csignal>
#include <random>
#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"
#include "support/child_process.h"
#include "support/run_fixture.h"

namespace corpgather::test {
namespace {

using ::testing::HasSubstr;

class CliTest : public ::testing::Test {
protected:
    CliTest() : market_({"--pages", "4", "--per-page", "20", "--layouts", "detail=1,titlebar=1,site=1,unknown=1"}) {}

    std::vector<std::string> cli(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", market_.home().path().string()});
        return arguments;
    }
    CommandResult run(const std::vector<std::string>& arguments) const { return RunCli(cli(arguments)); }

    SimulatedMarket market_;
};

TEST_F(CliTest, AddReadsTheCountsFromTheFirstPageAndListShowsTheTask) {
    const CommandResult added = run({"task", "add", "--url", market_.listingUrl(1), "--term", "模具"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "0\n");
    const TaskRow task = ReadTask(0).value();
    EXPECT_EQ(task.totalPage, 4);
    EXPECT_EQ(task.totalNum, 80);
    EXPECT_EQ(task.termName, "模具");

    const CommandResult listed = run({"task", "list"});
    ASSERT_EQ(listed.status, 0);
    EXPECT_THAT(listed.out, HasSubstr("模具"));
    EXPECT_THAT(listed.out, HasSubstr("0/4"));
}

TEST_F(CliTest, RunStoresEveryCompanyAndPrintsPlainProgressLines) {
    ASSERT_EQ(run({"task", "add", "--url", market_.listingUrl(1)}).status, 0);
    const CommandResult ran = run({"task", "run", "0"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_THAT(ran.out, HasSubstr("page 4/4, 80 records"));
    EXPECT_EQ(ran.out.find('\r'), std::string::npos);  // not a terminal: no rewritten line
    EXPECT_EQ(CountCompanies(0), 80);
    EXPECT_EQ(ReadTask(0)->isFinish, 1);
}

TEST_F(CliTest, BadInputGivesAClearMessageAndExitCode) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"frobnicate"}, 2, "unknown command"},
        {{"task", "run", "42"}, 2, "unknown task 42"},
        {{"task", "run", "abc"}, 2, "not a task ID"},
        {{"task", "add", "--url", "ftp://x/?beginPage=1&"}, 2, "not an http address"},
        {{"task", "add", "--url", "http://127.0.0.1:1/list?page=1"}, 2, "no page number"},
        {{"task", "add", "--url", "http://127.0.0.1:1/?beginPage=1&", "--total-page", "x"}, 2, "whole number"},
        {{"task", "add"}, 2, "--url"},
    };
    for (const Case& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments[0] << " " << result.err;
        EXPECT_THAT(result.err, HasSubstr(c.message));
    }
}

TEST(CliDatabaseTest, UnreadableDatabaseIsReportedAndKept) {
    TempHome home;
    const std::string garbage(4096, 'x');
    home.writeFile("SearchCom.mdb", garbage);
    const CommandResult result = RunCli({"--home", home.path().string(), "task", "list"});
    EXPECT_EQ(result.status, 3);
    EXPECT_THAT(result.err, HasSubstr("cannot open database"));
    EXPECT_EQ(home.readFile("SearchCom.mdb"), garbage);
}

TEST_F(CliTest, InterruptStopsCleanlyAndTheTaskResumes) {
    ASSERT_EQ(run({"task", "add", "--url", market_.listingUrl(1)}).status, 0);
    HttpGet(market_.sim().baseUrl() + "/__sim/fault?kind=latency&param=20");
    ChildProcess first((binDir() / "corpgather-cli").string(), cli({"task", "run", "0"}));
    ASSERT_TRUE(waitFor([] { return CountCompanies(0) >= 1; }, std::chrono::seconds(20)));
    first.signal(SIGINT);
    EXPECT_EQ(first.wait(std::chrono::seconds(10)), 130) << first.errors();
    EXPECT_THAT(first.output(), HasSubstr("stopped"));
    EXPECT_EQ(ReadTask(0)->isFinish, 0);
    EXPECT_EQ(ReadNum(0), CountCompanies(0));

    HttpGet(market_.sim().baseUrl() + "/__sim/reset");
    EXPECT_EQ(run({"task", "run", "0"}).status, 0);
    EXPECT_EQ(CountCompanies(0), 80);
}

// Killed without warning at random moments and run again until it finishes: every company
// is stored exactly once and the counters match the stored rows after every kill.
TEST_F(CliTest, KilledRunsResumeToExactlyOneRecordPerCompany) {
    ASSERT_EQ(run({"task", "add", "--url", market_.listingUrl(1)}).status, 0);
    std::string error;
    ASSERT_TRUE(WriteOptions({{"SaveNum", 6}}, &error)) << error;
    HttpGet(market_.sim().baseUrl() + "/__sim/fault?kind=latency&param=4");

    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delay(50, 600);
    int kills = 0;
    for (int attempt = 0; attempt < 12 && ReadTask(0)->isFinish == 0; ++attempt) {
        ChildProcess cli((binDir() / "corpgather-cli").string(), this->cli({"task", "run", "0"}));
        if (cli.wait(std::chrono::milliseconds(delay(random))) == -1) {
            cli.signal(SIGKILL);
            cli.wait();
            ++kills;
        }
        EXPECT_EQ(ReadNum(0), CountCompanies(0)) << "after attempt " << attempt;
    }
    EXPECT_GT(kills, 0);
    EXPECT_EQ(run({"task", "run", "0"}).status, 0);
    ASSERT_EQ(ReadTask(0)->isFinish, 1);
    Query members;
    ASSERT_TRUE(OpenSQL(members, "SELECT \"会员帐号\" FROM Company WHERE SearchID=0"));
    std::multiset<std::string> seen;
    for (; !members.eof(); members.next()) seen.insert(members.text(0));
    EXPECT_EQ(seen.size(), 80u);
    EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), 80u);
}

TEST(CliDemoTest, DemoRunsATaskAgainstTheSimulator) {
    TempHome home;
    const CommandResult result = RunCli({"--home", home.path().string(), "demo", "--pages", "2"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("task 0 finished: 40 records stored"));
    EXPECT_THAT(result.out, HasSubstr(home.file("SearchCom.mdb")));
}

}  // namespace
}  // namespace corpgather::test

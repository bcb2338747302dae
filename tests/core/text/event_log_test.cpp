#include "text/event_log.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/app_paths.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

struct LogLine {
    std::string stamp;
    std::string message;
};

const std::regex kLine(R"((\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})   ([^\r\n]*)\r\n)");

// Splits the log into lines and checks the shape of every one on the way.
std::vector<LogLine> readLog(const test::TempHome& home) {
    const std::string content = home.readFile("Log.txt");
    EXPECT_TRUE(content.empty() || content.ends_with("\r\n"));
    std::vector<LogLine> lines;
    size_t from = 0;
    for (size_t end = content.find("\r\n"); end != std::string::npos;
         end = content.find("\r\n", from)) {
        const std::string text = content.substr(from, end + 2 - from);
        std::smatch match;
        if (std::regex_match(text, match, kLine)) {
            lines.push_back({match[1], match[2]});
        } else {
            ADD_FAILURE() << "malformed line: " << text;
        }
        from = end + 2;
    }
    return lines;
}

TEST(WriteLog, TwoLinesInOneSecondKeepTheirOrderAndStamp) {
    test::TempHome home;
    // Retried when the clock turns to the next second between the two calls.
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::remove(home.file("Log.txt").c_str());
        const time_t before = time(nullptr);
        WriteLog("抓取失败: http://s.cn/page?beginPage=3&");
        WriteLog("second");
        if (time(nullptr) != before)
            continue;
        const auto lines = readLog(home);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].message, "抓取失败: http://s.cn/page?beginPage=3&");
        EXPECT_EQ(lines[1].message, "second");
        EXPECT_EQ(lines[0].stamp, lines[1].stamp);
        char expected[32];
        tm local{};
        localtime_r(&before, &local);
        strftime(expected, sizeof expected, "%Y-%m-%d %H:%M:%S", &local);
        EXPECT_EQ(lines[0].stamp, expected);
        return;
    }
    FAIL() << "the clock never stayed within one second";
}

TEST(WriteLog, AppendsToTheExistingFileOnAFreshLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2011-01-02 03:04:05   old\r\n", ""},
        {"2011-01-02 03:04:05   old\r\ncut short", "\r\n"},
        {"2011-01-02 03:04:05   old\r", "\n"},
    };
    for (const auto& [old, lineEnd] : cases) {
        test::TempHome home;
        home.writeFile("Log.txt", old);
        WriteLog("new");
        const std::string content = home.readFile("Log.txt");
        ASSERT_TRUE(content.starts_with(old + lineEnd)) << content;
        EXPECT_TRUE(std::regex_match(content.substr(old.size() + lineEnd.size()), kLine))
            << content;
    }
}

TEST(WriteLog, ConcurrentThreadsLoseNoLine) {
    test::TempHome home;
    constexpr int threads = 8;
    constexpr int perThread = 200;
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < perThread; ++i) {
                WriteLog("thread " + std::to_string(t) + " line " + std::to_string(i));
            }
        });
    }
    for (auto& writer : writers)
        writer.join();

    const auto lines = readLog(home);
    ASSERT_EQ(lines.size(), static_cast<size_t>(threads * perThread));
    std::vector<int> next(threads, 0);
    for (const auto& line : lines) {
        int t = 0;
        int i = 0;
        ASSERT_EQ(std::sscanf(line.message.c_str(), "thread %d line %d", &t, &i), 2);
        EXPECT_EQ(i, next[t]++) << "thread " << t << " out of order";
    }
}

TEST(WriteLog, ConcurrentProcessesLoseNoLine) {
    test::TempHome home;
    constexpr int processes = 4;
    constexpr int perProcess = 100;
    std::vector<pid_t> children;
    for (int p = 0; p < processes; ++p) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < perProcess; ++i) {
                WriteLog("process " + std::to_string(p) + " line " + std::to_string(i));
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::set<std::string> messages;
    for (const auto& line : readLog(home))
        messages.insert(line.message);
    EXPECT_EQ(messages.size(), static_cast<size_t>(processes * perProcess));
}

TEST(WriteLog, UnwritableFolderIsIgnored) {
    test::TempHome home;
    SetAppPathOverride(home.file("missing"));
    EXPECT_NO_THROW(WriteLog("lost"));
    SetAppPathOverride(home.path().string());
    std::filesystem::create_directory(home.file("Log.txt"));
    EXPECT_NO_THROW(WriteLog("lost"));
}

}  // namespace
}  // namespace corpgather

#include "store/settings.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QSettings>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/app_paths.h"
#include "support/test_support.h"

namespace corpgather {
namespace {

using ::testing::IsEmpty;
using ::testing::Not;

void expectDefaultHosts(const MarketplaceHosts& hosts) {
    EXPECT_EQ(hosts.market, "china.alibaba.com");
    EXPECT_EQ(hosts.shopSuffix, ".cn.alibaba.com");
    EXPECT_EQ(hosts.companySite, "company.china.alibaba.com");
    EXPECT_EQ(hosts.memberProfile, "member.china.alibaba.com");
}

TEST(SettingsTest, MissingFileGivesDefaults) {
    test::TempHome home;
    EXPECT_EQ(GetIniFileName(), home.file("CorpGather.ini"));
    EXPECT_EQ(GetTimeOut(), 60);
    EXPECT_EQ(GetTryNum(), 3);
    EXPECT_EQ(GetDisplay(), 500);
    EXPECT_EQ(GetRunTaskNum(), 3);
    EXPECT_EQ(GetSaveNum(), 25);
    EXPECT_EQ(GetIntervalData(), 500);
    EXPECT_EQ(GetIntervalTime(), 60);
    EXPECT_EQ(GetComListDisplay(), 0);
    expectDefaultHosts(GetHosts());
}

TEST(SettingsTest, EachGetterReadsItsOwnKey) {
    test::TempHome home;
    home.writeFile("CorpGather.ini",
                   "[Option]\nTimeOut=1\nTryNum=2\nDisplay=3\nRunTaskNum=4\nSaveNum=5\n"
                   "IntervalData=6\nIntervalTime=7\nComListDisplay=8\n"
                   "[Hosts]\nMarket=127.0.0.1:18080\nShopSuffix=.shop.localhost:18080\n"
                   "CompanySite=company.localhost:18080\nMemberProfile=member.localhost\n");
    EXPECT_EQ(GetTimeOut(), 1);
    EXPECT_EQ(GetTryNum(), 2);
    EXPECT_EQ(GetDisplay(), 3);
    EXPECT_EQ(GetRunTaskNum(), 4);
    EXPECT_EQ(GetSaveNum(), 5);
    EXPECT_EQ(GetIntervalData(), 6);
    EXPECT_EQ(GetIntervalTime(), 7);
    EXPECT_EQ(GetComListDisplay(), 8);
    const MarketplaceHosts hosts = GetHosts();
    EXPECT_EQ(hosts.market, "127.0.0.1:18080");
    EXPECT_EQ(hosts.shopSuffix, ".shop.localhost:18080");
    EXPECT_EQ(hosts.companySite, "company.localhost:18080");
    EXPECT_EQ(hosts.memberProfile, "member.localhost");
}

TEST(SettingsTest, ValueIsReadOnlyWhenItIsAWholeNumber) {
    struct Case {
        const char* line;
        int expected;
    };
    const Case cases[] = {
        {"SaveNum=5", 5},     {"SaveNum=99999", 99999}, {"SaveNum=-3", -3},
        {"SaveNum=0", 0},     {"SaveNum=010", 10},      {"SaveNum=0x1F", 31},
        {"SaveNum=0X10", 16}, {"SaveNum= 7 ", 7},       {"SaveNum=\"8\"", 8},
        {"SaveNum=abc", 25},  {"SaveNum=", 25},         {"SaveNum=5.5", 25},
        {"SaveNum=5abc", 25}, {"SaveNum=1,2", 25},      {"SaveNum=0x", 25},
        {"SaveNum=0xZ", 25},  {"SaveNum=--5", 25},      {"SaveNum=99999999999", 25},
        {"Other=5", 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        test::TempHome home;
        home.writeFile("CorpGather.ini", std::string("[Option]\n") + c.line + "\n");
        EXPECT_EQ(GetSaveNum(), c.expected);
    }
}

TEST(SettingsTest, EmptyOrListHostGivesTheDefault) {
    test::TempHome home;
    home.writeFile("CorpGather.ini",
                   "[Hosts]\nMarket=\nShopSuffix=a,b\n[Option]\nCompanySite=elsewhere\n");
    expectDefaultHosts(GetHosts());
}

TEST(SettingsTest, RewriteOfTheSameSizeAndTimeIsSeen) {
    test::TempHome home;
    const auto path = home.file("CorpGather.ini");
    home.writeFile("CorpGather.ini", "[Option]\nTimeOut=5\nTryNum=1\n");
    const auto stamp = std::filesystem::last_write_time(path);
    EXPECT_EQ(GetTimeOut(), 5);
    // Another QSettings on the file in this process must not hand its parse to ours.
    QSettings(QString::fromStdString(path), QSettings::IniFormat).value("Option/TimeOut");

    home.writeFile("CorpGather.ini", "[Option]\nTimeOut=7\nTryNum=2\n");
    std::filesystem::last_write_time(path, stamp);
    EXPECT_EQ(GetTimeOut(), 7);

    // A writer works on the content now on disk, not on what was parsed before.
    home.writeFile("CorpGather.ini", "[Option]\nTimeOut=8\nTryNum=3\n");
    std::filesystem::last_write_time(path, stamp);
    ASSERT_TRUE(WriteOptions({{"SaveNum", 30}}));
    EXPECT_EQ(GetTimeOut(), 8);
    EXPECT_EQ(GetTryNum(), 3);
    EXPECT_EQ(GetSaveNum(), 30);
}

TEST(SettingsTest, WritersKeepEveryOtherSectionAndKey) {
    test::TempHome home;
    home.writeFile("CorpGather.ini",
                   "[Window]\nLeft=10\nTitle=采集\n[Option]\nTryNum=4\nTimeOut=9\n"
                   "[Hosts]\nMarket=127.0.0.1:18080\n");
    std::string error;
    ASSERT_TRUE(WriteOptions({{"TimeOut", 30}, {"Display", 100}}, &error)) << error;
    ASSERT_TRUE(
        WriteHosts({"m.localhost:1", ".s.localhost:2", "c.localhost:3", "p.localhost:4"}, &error))
        << error;

    EXPECT_EQ(GetTimeOut(), 30);
    EXPECT_EQ(GetDisplay(), 100);
    EXPECT_EQ(GetTryNum(), 4);
    const MarketplaceHosts hosts = GetHosts();
    EXPECT_EQ(hosts.market, "m.localhost:1");
    EXPECT_EQ(hosts.shopSuffix, ".s.localhost:2");
    EXPECT_EQ(hosts.companySite, "c.localhost:3");
    EXPECT_EQ(hosts.memberProfile, "p.localhost:4");
    const std::string content = home.readFile("CorpGather.ini");
    EXPECT_NE(content.find("[Window]"), std::string::npos);
    EXPECT_NE(content.find("Left=10"), std::string::npos);
    EXPECT_NE(content.find("Title=采集"), std::string::npos);
    EXPECT_NE(content.find("TimeOut=30"), std::string::npos);
}

TEST(SettingsTest, WriterCreatesAMissingFile) {
    test::TempHome home;
    ASSERT_TRUE(WriteOptions({{"RunTaskNum", 5}}));
    EXPECT_EQ(GetRunTaskNum(), 5);
    EXPECT_EQ(GetTimeOut(), 60);
}

// Makes the folder read-only for this thread, root included (root's override of file
// permissions goes with a non-zero file system user id).
class ReadOnlyFolder final {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        using std::filesystem::perms;
        const perms readAndEnter = perms::owner_read | perms::owner_exec | perms::group_read |
                                   perms::group_exec | perms::others_read | perms::others_exec;
        std::filesystem::permissions(folder_, readAndEnter);
        if (geteuid() == 0)
            previousFsuid_ = setfsuid(65534);
    }
    ~ReadOnlyFolder() {
        if (previousFsuid_ >= 0)
            setfsuid(previousFsuid_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool holds() const { return !std::ofstream(folder_ / "probe").is_open(); }

private:
    std::filesystem::path folder_;
    int previousFsuid_ = -1;
};

TEST(SettingsTest, FailedWriteLeavesTheFileAsItWas) {
    test::TempHome home;
    const std::string content = "[Option]\nTimeOut=9\n[Other]\nKey=1\n";
    home.writeFile("CorpGather.ini", content);
    {
        ReadOnlyFolder readOnly(home.path());
        if (!readOnly.holds())
            GTEST_SKIP() << "the folder cannot be made read-only here";
        std::string error;
        EXPECT_FALSE(WriteOptions({{"TimeOut", 30}}, &error));
        EXPECT_THAT(error, Not(IsEmpty()));
        EXPECT_FALSE(WriteHosts(GetHosts(), &error));
        EXPECT_EQ(GetTimeOut(), 9);
    }
    EXPECT_EQ(home.readFile("CorpGather.ini"), content);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()),
                            std::filesystem::directory_iterator{}),
              1);

    const auto missing = home.path() / "missing";
    SetAppPathOverride(missing.string());
    std::string error;
    EXPECT_FALSE(WriteOptions({{"TimeOut", 30}}, &error));
    EXPECT_THAT(error, Not(IsEmpty()));
    EXPECT_FALSE(std::filesystem::exists(missing));
}

}  // namespace
}  // namespace corpgather

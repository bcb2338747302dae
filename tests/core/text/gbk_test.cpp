#include "text/gbk.h"

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace corpgather {
namespace {

using namespace std::string_literals;

const std::string kReplacement = "\uFFFD";

TEST(Gbk, RoundTripsChineseAndAscii) {
    const std::string utf8 = "公司名称：杭州某某有限公司 Tel 0571-1234567";
    const std::string gbk = Utf8ToGbk(utf8);
    EXPECT_EQ(Utf8ToGbk("中文"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
}

TEST(Gbk, LongTextsConvertWhole) {
    std::string utf8;
    for (int i = 0; i < 20000; ++i)
        utf8 += "联系人：" + std::to_string(i) + "\r\n";
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk(utf8)), utf8);
}

TEST(GbkToUtf8, InvalidBytesBecomeReplacementCharactersAndTheRestIsKept) {
    const std::string before = Utf8ToGbk("前");
    const std::string after = Utf8ToGbk("后");
    const std::string lead = Utf8ToGbk("中").substr(0, 1);
    EXPECT_EQ(GbkToUtf8(before + "\xFF" + after), "前" + kReplacement + "后");
    EXPECT_EQ(GbkToUtf8(before + "\x80\x80" + after), "前" + kReplacement + kReplacement + "后");
    EXPECT_EQ(GbkToUtf8(lead + " x"), kReplacement + " x");
    EXPECT_EQ(GbkToUtf8(before + lead), "前" + kReplacement);
    EXPECT_EQ(GbkToUtf8("a\0b"s), "a\0b"s);
}

TEST(Utf8ToGbk, CharactersOutsideGbkBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("a\xC3!"), "a?!");
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk("价\xE4\xB8格")), "价?格");
}

TEST(Gbk, ConvertsOnManyThreadsAtOnce) {
    const std::string utf8 = "主营产品或服务：" + std::string(5000, 'x') + "电话";
    const std::string gbk = Utf8ToGbk(utf8);
    std::vector<std::thread> threads;
    std::vector<int> failures(8, 0);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 300; ++i) {
                if (GbkToUtf8(gbk) != utf8 || Utf8ToGbk(utf8) != gbk)
                    ++failures[t];
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace corpgather

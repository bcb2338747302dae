#include <gtest/gtest.h>

#include "run/listing_counts.h"
#include "run/listing_entries.h"
#include "text/gbk.h"

namespace corpgather {
namespace {

std::string entry(const std::string& member, const std::string& name, const std::string& url) {
    return Utf8ToGbk(R"(<li class="offer paGetId" id="offer1"><div companyId=")" + member +
                     R"("><a class="Title" gotoDetail="2" href=")" + url +
                     R"(" target="_blank" title=")" + name + R"(" offer-stat="com">)" + name +
                     R"(</a><a href="#nogo" title="将您的询价单发送给该供应商" memberid=")" +
                     member + R"(">询价</a></li>)");
}

TEST(ListingCursorTest, TakesEachEntryInOrder) {
    const std::string page = Utf8ToGbk("<ul>") + entry("m1", "宁波丂模具厂", "http://a/1") +
                             entry("m2", "上海机械", "http://a/2") + Utf8ToGbk("</ul>");
    ListingCursor cursor(page);
    ListingEntry e;
    ASSERT_TRUE(cursor.next(e));
    EXPECT_EQ(e.memberId, "m1");
    EXPECT_EQ(GbkToUtf8(e.companyName), "宁波丂模具厂");
    EXPECT_EQ(e.sourceUrl, "http://a/1");
    ASSERT_TRUE(cursor.next(e));
    EXPECT_EQ(e.memberId, "m2");
    EXPECT_FALSE(cursor.next(e));
}

TEST(ListingCursorTest, EntryWithoutInquiryMarkStillAdvances) {
    std::string broken = entry("m1", "甲", "http://a/1");
    broken.erase(broken.find(InquiryMark()));
    const std::string page = broken + entry("m2", "乙", "http://a/2");
    ListingCursor cursor(page);
    ListingEntry e;
    ASSERT_TRUE(cursor.next(e));
    EXPECT_EQ(e.memberId, "m1");
    ASSERT_TRUE(cursor.next(e));
    EXPECT_EQ(e.memberId, "m2");
    EXPECT_FALSE(cursor.next(e));
}

TEST(ListingCountsTest, ReadsTheCountTexts) {
    const ListingCounts counts =
        ReadListingCounts(Utf8ToGbk(R"(<em id="route_total">1234</em> … 共<b>62</b>页)"));
    EXPECT_EQ(counts.totalNum, "1234");
    EXPECT_EQ(counts.totalPage, "62");
    EXPECT_EQ(ReadListingCounts("nothing").totalPage, "");
}

}  // namespace
}  // namespace corpgather

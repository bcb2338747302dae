// Company pages cut by their markers: a small GBK page of each layout and variant, checked
// column by column against the record it must give, and the cuts whose details are easy to get
// wrong.
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "run/detail_pages.h"
#include "run/shop_contact_page.h"
#include "run/shop_profile_page.h"
#include "text/gbk.h"

namespace corpgather::test {
namespace {

using C = CompanyColumn;
using Expected = std::map<CompanyColumn, std::string>;
using Reader = std::function<void(std::string_view page, CompanyRecord& record)>;

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A fixture page as the marketplace serves it: GBK, with "{tab}" and "{crlf}" standing for the
// bytes an editor would not keep.
std::string fixturePage(const std::string& name) {
    const auto path = std::filesystem::path(__FILE__).parent_path() / "fixtures" / name;
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    return Utf8ToGbk(replaceAll(replaceAll(text.str(), "{tab}", "\t"), "{crlf}", "\r\n"));
}

CompanyRecord read(const Reader& reader, std::string_view page) {
    CompanyRecord record;
    reader(page, record);
    return record;
}

// Every column the expectation leaves out must stay empty.
void expectRecord(const CompanyRecord& record, const Expected& expected) {
    for (size_t i = 0; i < kCompanyColumnCount; ++i) {
        const auto found = expected.find(static_cast<CompanyColumn>(i));
        EXPECT_EQ(record.values[i], found == expected.end() ? "" : found->second)
            << CompanyColumnName(i);
    }
}

Reader shopContact(ShopContactVariant variant) {
    return [variant](std::string_view page, CompanyRecord& record) {
        ReadShopContact(page, variant, record);
    };
}

Reader shopProfile(ShopContactVariant variant) {
    return [variant](std::string_view page, CompanyRecord& record) {
        ReadShopProfile(page, variant, record);
    };
}

Reader detailContact(const std::string& memberProfileUrl) {
    return [memberProfileUrl](std::string_view page, CompanyRecord& record) {
        ReadDetailContact(page, memberProfileUrl, record);
    };
}

const Reader detailProfile = ReadDetailProfile;

TEST(CompanyPageText, EachLayoutAndVariantGivesItsRecord) {
    const struct {
        std::string fixture;
        Reader reader;
        Expected expected;
    } cases[] = {
        {"titlebar_contact.html",
         shopContact(ShopContactVariant::TitleBar),
         {{C::Contact, "王志華"},
          {C::Salutation, "先生"},
          {C::Position, "销售部主管"},
          {C::Phone, "86 0571 23456789"},
          {C::Mobile, "13912345678"},
          {C::Fax, "86 0571 23456780"},
          {C::Postcode, "310012"},
          {C::Website, "http://www.huaxing.com,http://huaxing.cn.example"},
          {C::Address, "浙江省杭州市滨江区长江路88号"},
          {C::Province, "浙江"},
          {C::City, "杭州"}}},
        {"titlebar_profile.html",
         shopProfile(ShopContactVariant::TitleBar),
         {{C::Introduction,
           "杭州華興电子科技有限公司成立于2008年，专业生产贴片电容。 公司秉承“诚信为本”的理念。"},
          {C::MainProducts, "贴片电容、精密电阻"},
          {C::MainIndustry, "电子元器件"},
          {C::EnterpriseType, "有限责任公司（自然人独资）"},
          {C::BusinessModel, "生产加工"},
          {C::RegisteredCapital, "500万人民币"},
          {C::RegisteredAddress, "浙江省杭州市滨江区长江路88号"},
          {C::Employees, "51 - 100 人"},
          {C::Founded, "2008年"},
          {C::LegalRepresentative, "王志華"},
          {C::Certification, "ISO9001, ISO14001"},
          {C::OemService, "是"},
          {C::RdStaff, "5 - 10 人"},
          {C::FactoryArea, "1200平方米"},
          {C::Registration, "注册号：3301000000001；登记机关：杭州市工商行政管理局"}}},
        {"heading_contact.html",
         shopContact(ShopContactVariant::Heading),
         {{C::Contact, "李萬鋒"},
          {C::Salutation, "女士"},
          {C::Position, "外贸经理"},
          {C::Phone, "86 0769 3456789"},
          {C::Mobile, "13698765432"},
          {C::Postcode, "523001"},
          {C::Website, "http://www.guangda.com,http://guangda.example"},
          {C::Address, "广东省东莞市工业园区人民路5号"},
          {C::Province, "广东"},
          {C::City, "东莞"}}},
        {"heading_profile.html",
         shopProfile(ShopContactVariant::Heading),
         {{C::Introduction, "东莞廣達五金制品厂坐落于广东东莞。 主要经营活动扳手、合页等产品。"},
          {C::MainProducts, "活动扳手、合页"},
          {C::MainIndustry, "五金、工具"},
          {C::EnterpriseType, "私营独资企业"},
          {C::BusinessModel, "经销批发"},
          {C::RegisteredCapital, "200万人民币"},
          {C::RegisteredAddress, "广东省东莞市工业园区人民路5号"},
          {C::Employees, "11 - 50 人"},
          {C::Founded, "1999年"},
          {C::LegalRepresentative, "李萬鋒"},
          {C::OemService, "否"},
          {C::RdStaff, "5 人以下"},
          {C::FactoryArea, "800平方米"},
          {C::Registration, "注册号：4419000000002；登记机关：东莞市工商行政管理局"}}},
        {"detail_contact.html",
         detailContact("http://member.localhost/user/m3.html"),
         {{C::Contact, "赵志達"},
          {C::Salutation, "先生"},
          {C::Position, "总经理"},
          {C::Phone, "86 0532 5678901"},
          {C::Mobile, "15011112222"},
          {C::Fax, "86 0532 5678902"},
          {C::Postcode, "266001"},
          {C::Website, "http://www.fengtai.com"},
          {C::Address, "山东省青岛市高新区科技路12号"}}},
        {"detail_profile.html",
         detailProfile,
         {{C::Introduction, "青岛丰泰机械设备有限公司是一家专业企业。 欢迎来电洽谈合作！"},
          {C::MainProducts, "注塑机、包装机"},
          {C::MainIndustry, "机械及行业设备  五金、工具"},
          {C::EnterpriseType, "股份有限公司"},
          {C::BusinessModel, "生产加工"},
          {C::RegisteredCapital, "3000万人民币"},
          {C::RegisteredAddress, "山东省青岛市高新区科技路12号"},
          {C::Employees, "201 - 300 人"},
          {C::Founded, "2001年"},
          {C::LegalRepresentative, "钱伟"},
          {C::OemService, "是"},
          {C::RdStaff, "21 - 50 人"},
          {C::FactoryArea, "5000平方米"},
          {C::Registration, "注册号：3702000000003；登记机关：青岛市工商行政管理局"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        expectRecord(read(c.reader, fixturePage(c.fixture)), c.expected);
    }
}

TEST(CompanyPageText, ContactPageVariantIsTheFirstMarkerFound) {
    const std::string titleBar =
        Utf8ToGbk(R"(<span class="fl b titleLinkColor titleName">联系方式</span>)");
    const std::string heading = Utf8ToGbk("<h3>联系方式</h3>");
    EXPECT_EQ(ShopContactVariantOf(heading + titleBar), ShopContactVariant::TitleBar);
    EXPECT_EQ(ShopContactVariantOf("<p>" + heading), ShopContactVariant::Heading);
    EXPECT_EQ(ShopContactVariantOf(Utf8ToGbk("<h2>联系方式</h2><span>联系方式</span>")),
              ShopContactVariant::None);
    EXPECT_EQ(ShopContactVariantOf(""), ShopContactVariant::None);
}

TEST(CompanyPageText, AreaSplitsAtItsFirstBlank) {
    const std::string titleBar = R"(<span class="fl b titleLinkColor titleName">联系方式</span>)";
    const struct {
        ShopContactVariant variant;
        std::string page;
        std::string province, city;
    } cases[] = {
        {ShopContactVariant::TitleBar, titleBar + "<li>所在地区：浙江 杭州</li>", "浙江", "杭州"},
        {ShopContactVariant::TitleBar, titleBar + "<li>所在地区：上海</li>", "上海", "上海"},
        {ShopContactVariant::TitleBar, titleBar + "<li>所在地区：广东 深圳 宝安区</li>", "广东",
         "深圳 宝安区"},
        // Taken as it stands: a leading blank leaves the province empty.
        {ShopContactVariant::TitleBar, titleBar + "<li>所在地区： 江苏 苏州</li>", "", "江苏 苏州"},
        {ShopContactVariant::TitleBar, titleBar + "<li>地区：浙江 杭州</li>", "", ""},
        {ShopContactVariant::Heading, "<dt>所在地区：</dt><dd>\n <b>江苏</b> 苏州 </dd>", "江苏",
         "苏州"},
        {ShopContactVariant::Heading, "<dt>所在地区：</dt><dd>北京</dd>", "北京", "北京"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        const CompanyRecord record = read(shopContact(c.variant), Utf8ToGbk(c.page));
        EXPECT_EQ(record[C::Province], c.province);
        EXPECT_EQ(record[C::City], c.city);
    }
}

TEST(CompanyPageText, TitleBarWebsiteIsTheLinkAddressesOrTheItemText) {
    const std::string block =
        R"(<span class="fl b titleLinkColor titleName">联系方式</span><dl><dt>联系人：</dt><dd><a href="/u" class="n">陈静</a>&nbsp;女士（经理）</dd></dl><ul>)";
    const std::string end = R"(</ul><div class="vas_company_map"></div></div>)";
    const struct {
        std::string item;
        std::string website;
    } cases[] = {
        {R"(<li>公司主页：<a class="draft_no_link topicLink" href="http://a.example" target="_blank">a</a></li>)",
         "http://a.example"},
        {R"(<li>公司主页：<a class="draft_no_link topicLink" href="http://a.example" target="_blank">a</a>、<a class="draft_no_link topicLink" href="http://b.example" target="_blank">b</a></li>)",
         "http://a.example,http://b.example"},
        {"<li>公司主页：\n  <span>http://plain.example</span> </li>", "http://plain.example"},
        {"<li>公司主页：</li>", ""},
        {"<li>电话：1</li>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        const CompanyRecord record =
            read(shopContact(ShopContactVariant::TitleBar), Utf8ToGbk(block + c.item + end));
        EXPECT_EQ(record[C::Website], c.website);
        EXPECT_EQ(record[C::Contact], "陈静");
    }
}

TEST(CompanyPageText, TitleBarBlockWithoutLinkGivesNoContactValues) {
    const std::string page = Utf8ToGbk(
        R"(<span class="fl b titleLinkColor titleName">联系方式</span><dl><dt>联系人：</dt><dd>陈静&nbsp;女士（经理）</dd></dl><li >移动电话：139</li><div class="vas_company_map"></div></div><li>所在地区：浙江 杭州</li>)");
    expectRecord(read(shopContact(ShopContactVariant::TitleBar), page),
                 {{C::Province, "浙江"}, {C::City, "杭州"}});
}

TEST(CompanyPageText, HeadingWebsiteTakesEveryLinkToTheEndOfTheBlock) {
    const std::string page = Utf8ToGbk(
        R"(<h3>联系方式</h3><dl><dt>公司主页：</dt><dd><a href="http://a.example" target="_blank">http://a.example</a></dd><dt>地址：</dt><dd>杭州</dd></dl><!--/m-content--><a href="/x" target="_blank">outside</a>)");
    EXPECT_EQ(read(shopContact(ShopContactVariant::Heading), page)[C::Website], "http://a.example");
}

TEST(CompanyPageText, DetailIndustryCellJoinsItsTabSeparatedPieces) {
    const struct {
        std::string cell;
        std::string joined;
    } cases[] = {
        {"\r\n\t\t\t电子元器件\t\t\t\n\t\t\t五金、工具\t\n", "电子元器件  五金、工具"},
        {"a\tb\tc", "a  b  c"},
        {"  照明工业 \r\n", "照明工业"},
        {"电子\n元器件", "电子元器件"},
        {"\t\n\t ", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinIndustryPieces(c.cell), c.joined) << c.cell;
}

TEST(CompanyPageText, DetailValueEndingAtTheNextRowNeedsAFollowingRow) {
    const std::string table =
        "<table><tr><th>企业类型：</th><th>法定代表人：</th><th>经营模式：</th></tr>"
        "<tr><td class='c1'>个体经营</td><td class='c1'>周芳</td><td class='c1'>招商代理</td></tr>"
        "</table>";
    expectRecord(read(detailProfile, Utf8ToGbk(table)), {{C::BusinessModel, "招商代理"}});
    expectRecord(read(detailProfile, Utf8ToGbk(table + "<table><tr><td></td></tr></table>")),
                 {{C::EnterpriseType, "个体经营"},
                  {C::LegalRepresentative, "周芳"},
                  {C::BusinessModel, "招商代理"}});
}

TEST(CompanyPageText, InvalidGbkBecomesReplacementCharacters) {
    const std::string page =
        Utf8ToGbk("<th>主营行业：</th></tr><tr><td>电子") + "\xFF" + Utf8ToGbk("元件</td></tr>");
    EXPECT_EQ(read(detailProfile, page)[C::MainIndustry], "电子\xEF\xBF\xBD元件");
}

}  // namespace
}  // namespace corpgather::test

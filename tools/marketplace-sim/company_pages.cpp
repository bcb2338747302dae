#include "company_pages.h"

#include <array>
#include <span>
#include <string_view>

namespace marketsim {

namespace {

using Columns = std::span<const std::string_view>;

constexpr std::array<std::string_view, 9> kContactColumns = {
    "联系人", "称呼", "职位", "电话", "移动电话", "传真", "邮编", "公司网站", "地址"};

constexpr std::array<std::string_view, 15> kProfileColumns = {
    "公司介绍",     "主营产品",    "主营行业", "企业类型", "经营模式",
    "注册资本",     "注册地址",    "员工人数", "成立时间", "法人代表",
    "管理体系认证", "是否提供OEM", "研发人数", "厂房面积", "注册信息"};

void WriteHead(GbkPageWriter& page, const Company& company, std::string_view title) {
    page.markup(
            "<!DOCTYPE html>\n<html>\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n<title>")
        .value(company.name)
        .markup(" - ")
        .markup(title)
        .markup("</title>\n</head>\n<body>\n<div class=\"company-name\">")
        .value(company.name)
        .markup("</div>\n");
}

void WriteMemberLink(GbkPageWriter& page, const Company& company, const SiteHosts& hosts) {
    page.markup("<p class=\"member\"><a href=\"")
        .markup(Origin(hosts, hosts.memberProfile))
        .markup("/user/")
        .markup(company.memberId)
        .markup(".html\" target=\"_blank\">")
        .value(company.fact("联系人"))
        .markup("</a></p>\n");
}

void WriteFacts(GbkPageWriter& page, const Company& company, Columns columns) {
    page.markup("<dl class=\"facts\">\n");
    for (const std::string_view column : columns) {
        page.markup("<dt>").markup(column).markup("：</dt><dd>").value(company.fact(column));
        page.markup("</dd>\n");
    }
    page.markup("</dl>\n");
}

std::string Finish(GbkPageWriter& page) {
    page.markup("</body>\n</html>\n");
    return page.take();
}

std::string DetailContactPage(const Company& company, const SiteHosts& hosts, GbkPageWriter& page) {
    WriteHead(page, company, "联系方式");
    WriteMemberLink(page, company, hosts);
    WriteFacts(page, company, Columns(kContactColumns));
    return Finish(page);
}

std::string DetailProfilePage(const Company& company, GbkPageWriter& page) {
    WriteHead(page, company, "公司介绍");
    WriteFacts(page, company, Columns(kProfileColumns));
    return Finish(page);
}

std::string ShopContactTitlebarPage(const Company& company, const SiteHosts& hosts,
                                    GbkPageWriter& page) {
    WriteHead(page, company, "联系我们");
    page.markup("<div class=\"titlebar\">联系方式</div>\n");
    WriteMemberLink(page, company, hosts);
    WriteFacts(page, company, Columns(kContactColumns));
    page.markup("<p>所在地区：")
        .value(company.fact("省份"))
        .markup(" ")
        .value(company.fact("城市"));
    page.markup("</p>\n");
    return Finish(page);
}

std::string ShopContactHeadingPage(const Company& company, const SiteHosts& hosts,
                                   GbkPageWriter& page) {
    WriteHead(page, company, "联系我们");
    page.markup("<h2 class=\"heading\">联系方式</h2>\n");
    WriteMemberLink(page, company, hosts);
    WriteFacts(page, company, Columns(kContactColumns));
    page.markup("<p>所在地区：")
        .value(company.fact("省份"))
        .markup(" ")
        .value(company.fact("城市"));
    page.markup("</p>\n");
    return Finish(page);
}

std::string ShopProfilePage(const Company& company, GbkPageWriter& page) {
    WriteHead(page, company, "公司档案");
    WriteFacts(page, company, Columns(kProfileColumns));
    return Finish(page);
}

std::string HomePage(const Company& company, GbkPageWriter& page) {
    WriteHead(page, company, "首页");
    page.markup("<p class=\"products\">主营产品：").value(company.fact("主营产品"));
    page.markup("</p>\n");
    return Finish(page);
}

std::string MemberProfilePage(const Company& company, GbkPageWriter& page) {
    WriteHead(page, company, "会员档案");
    page.markup("<p>会员帐号：").markup(company.memberId).markup("</p>\n<p><a href=\"");
    page.markup(company.sourceUrl).markup("\">进入商铺</a></p>\n");
    return Finish(page);
}

}  // namespace

std::string CompanyPage(const Company& company, CompanyPageKind kind, const SiteHosts& hosts,
                        Corruption corruption) {
    GbkPageWriter page(corruption);
    const bool detail = company.layout == Layout::detail;
    switch (kind) {
        case CompanyPageKind::home:
            return HomePage(company, page);
        case CompanyPageKind::contact:
            if (detail)
                return DetailContactPage(company, hosts, page);
            return company.contactVariant == ContactVariant::titlebar
                       ? ShopContactTitlebarPage(company, hosts, page)
                       : ShopContactHeadingPage(company, hosts, page);
        case CompanyPageKind::profile:
            return detail ? DetailProfilePage(company, page) : ShopProfilePage(company, page);
        case CompanyPageKind::memberProfile:
            return MemberProfilePage(company, page);
    }
    return {};
}

}  // namespace marketsim

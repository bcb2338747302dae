#include <array>
#include <string_view>

#include "fact_markup.h"
#include "layout_pages.h"

namespace marketsim {

namespace {

// The comment before each contact line and the fact it holds.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kContactLines = {{
    {"电话", "电话"},
    {"移动电话", "移动电话"},
    {"传真", "传真"},
    {"邮政编码", "邮编"},
}};

// The profile table: rows of three header cells, each followed by its row of values.
constexpr std::array<std::array<std::pair<std::string_view, std::string_view>, 3>, 4>
    kProfileTable = {{
        {{{"企业类型：", "企业类型"}, {"经营模式：", "经营模式"}, {"注册资本：", "注册资本"}}},
        {{{"公司注册地：", "注册地址"},
          {"员工人数：", "员工人数"},
          {"公司成立时间：", "成立时间"}}},
        {{{"法定代表人：", "法人代表"},
          {"管理体系认证：", "管理体系认证"},
          {"是否提供加工/定制服务：", "是否提供OEM"}}},
        {{{"研发部门人数：", "研发人数"},
          {"厂房面积：", "厂房面积"},
          {"工商注册信息：", "注册信息"}}},
    }};

}  // namespace

void WriteDetailContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts) {
    page.markup(
            "<!--S内容-->\n<div class=\"contact-main\">\n<div class=\"contact-person\"><a href=\"")
        .markup(MemberProfileUrl(hosts, company))
        .markup("\" class=\"uol\" target=\"_blank\">\r\n      ")
        .value(company.fact("联系人"))
        .markup("\r\n    </a><sup>")
        .value(company.fact("称呼"))
        .markup("</sup>&nbsp;<span class=\"role\">")
        .value(company.fact("职位"))
        .markup("</span></div>\n");
    for (const auto& [comment, column] : kContactLines) {
        const std::string& value = company.fact(column);
        if (value.empty())
            continue;
        page.markup("<!--").markup(comment).markup("--><dl><dt>").markup(comment);
        page.markup("：</dt><dd><span class=\"value\">").value(value).markup("</span></dd></dl>\n");
    }
    if (const std::string& site = company.fact("公司网站"); !site.empty()) {
        page.markup("<dl><dt><abbr>公司网址：</abbr></dt><dd><span class=\"url\"><a href=\"")
            .markup(site)
            .markup("\" target=\"_blank\">\r\n  ")
            .value(site)
            .markup("</a></span></dd></dl>\n");
    }
    page.markup(
            "<!--公司地址--><dl><dt>地&nbsp;&nbsp;址：</dt><dd><span class=\"value\" "
            "title=\"\">")
        .value(company.fact("地址"))
        .markup("</span></dd></dl>\n<dl><dt>所在地区：</dt><dd>")
        .value(AreaText(company))
        .markup("</dd></dl>\n</div>\n<!--E内容-->\n");
}

void WriteDetailProfile(GbkPageWriter& page, const Company& company) {
    page.markup(
        "<!--公司介绍 start-->\n<div class=\"intro-box\"><h2>公司介绍</h2><p class=\"cont-p\">");
    WriteIntroduction(page, company.fact("公司介绍"), "    ");
    page.markup(
            "</p></div>\n<!--公司介绍 end-->\n<table class=\"main-info\">\n"
            "<tr><th>主营产品或服务：</th></tr>\n<tr><td class='c1'><a href=\"/offerlist.html\">")
        .value(company.fact("主营产品"))
        .markup("</a></td></tr>\n<tr><th>主营行业：</th></tr>\n<tr><td>");
    WriteIndustryCell(page, company.fact("主营行业"));
    page.markup("</td></tr>\n</table>\n<table class=\"detail-info\">\n");
    for (const auto& row : kProfileTable) {
        page.markup("<tr>");
        for (const auto& [header, column] : row)
            page.markup("<th>").markup(header).markup("</th>");
        page.markup("</tr>\n<tr>");
        for (const auto& [header, column] : row)
            page.markup("<td class='c1'>").value(company.fact(column)).markup("</td>");
        page.markup("</tr>\n");
    }
    page.markup("</table>\n");
}

}  // namespace marketsim

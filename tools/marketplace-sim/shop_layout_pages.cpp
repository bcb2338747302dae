#include <array>
#include <string_view>

#include "fact_markup.h"
#include "layout_pages.h"

namespace marketsim {

namespace {

// The two cell styles of the title-bar profile table: the registered capital's alone has no
// blank before its closing quotation mark.
constexpr std::string_view kCell =
    "<td style=\"padding-left:5px; padding-right:5px; padding-bottom:3px; \" align=\"left\">";
constexpr std::string_view kCapitalCell =
    "<td style=\"padding-left:5px; padding-right:5px; padding-bottom:3px;\" align=\"left\">";
constexpr std::string_view kTabbedCellEnd = "    \t\t\t\t</td></tr>\n";

// Label as the title-bar table writes it, fact column, and whether a blank ends the label.
struct TitleBarRow {
    std::string_view label;
    std::string_view column;
    bool blankAfter = false;
};

constexpr std::array<TitleBarRow, 8> kTitleBarRows = {{
    {"公司注册地：", "注册地址"},
    {"员工人数：", "员工人数"},
    {"公司成立时间：", "成立时间"},
    {"法定代表人：", "法人代表", true},
    {"管理体系认证：", "管理体系认证"},
    {"是否提供加工/定制服务：", "是否提供OEM"},
    {"研发部门人数：", "研发人数"},
    {"厂房面积：", "厂房面积"},
}};

// Header cell as the heading table writes it, and the fact column.
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kHeadingRows = {{
    {"<th class=\"auth\">公司注册地：</th><td>", "注册地址"},
    {"<th>员工人数：</th><td >", "员工人数"},
    {"<th class=\"auth\">公司成立时间：</th><td>", "成立时间"},
    {"<th class=\"auth\">法定代表人： </th><td>", "法人代表"},
    {"<th>管理体系认证： </th><td>", "管理体系认证"},
    {"<th>是否提供加工/定制服务：</th><td>", "是否提供OEM"},
    {"<th>研发部门人数：</th><td>", "研发人数"},
    {"<th>厂房面积：</th><td>", "厂房面积"},
}};

void LabelCell(GbkPageWriter& page, std::string_view label, bool blankAfter = false) {
    page.markup("<tr>\n<td width=\"22%\"><div align=\"right\"><strong>")
        .markup(label)
        .markup(blankAfter ? "</strong> </div></td>\n" : "</strong></div></td>\n");
}

}  // namespace

void WriteTitleBarContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts) {
    page.markup(
        "<div class=\"bodyContTitle\"><span class=\"fl b titleLinkColor titleName\">联系方式"
        "</span></div>\n<div class=\"bodyCont contactCard\">\n<dl class=\"contactinfo\">"
        "<dt>联系人：</dt>\n<dd><a href=\"");
    page.markup(MemberProfileUrl(hosts, company))
        .markup("\" target=\"_blank\" class=\"membername\">")
        .value(company.fact("联系人"))
        .markup("</a>&nbsp;\r\n      ")
        .value(company.fact("称呼"))
        .markup("（")
        .value(company.fact("职位"))
        .markup("）</dd></dl>\n<ul class=\"contactList\">\n")
        .markup("<li>电&nbsp;&nbsp;&nbsp;&nbsp;话：\r\n        ")
        .value(company.fact("电话"))
        .markup("\r\n      </li>\n<li >移动电话：")
        .value(company.fact("移动电话"))
        .markup("</li>\n");
    if (!company.fact("传真").empty()) {
        page.markup("<li >传&nbsp;&nbsp;&nbsp;&nbsp;真：")
            .value(company.fact("传真"))
            .markup("</li>\n");
    }
    page.markup("<li >邮&nbsp;&nbsp;&nbsp;&nbsp;编：")
        .value(company.fact("邮编"))
        .markup("</li>\n");
    if (const std::string& site = company.fact("公司网站"); !site.empty()) {
        // Some shops show their address as plain text rather than as a link.
        if (company.index % 5 == 0) {
            page.markup("<li>公司主页：<span class=\"url\">").value(site).markup("</span></li>\n");
        } else {
            page.markup("<li>公司主页：<a class=\"draft_no_link topicLink\" href=\"")
                .value(site)
                .markup("\" target=\"_blank\">")
                .markup(std::string_view(site).substr(site.find("//") + 2))
                .markup("</a></li>\n");
        }
    }
    page.markup("<li >地&nbsp;&nbsp;&nbsp;&nbsp;址：")
        .value(company.fact("地址"))
        .markup("</li>\n<li>所在地区：")
        .value(AreaText(company))
        .markup(
            "</li>\n</ul>\n</div>\n<div class=\"mapBox\"><div id=\"companyMap\" "
            "class=\"vas_company_map\"></div></div>\n");
}

void WriteHeadingContact(GbkPageWriter& page, const Company& company, const SiteHosts& hosts) {
    page.markup(
        "<div class=\"m-content\">\n<div class=\"m-header\"><h3>联系方式</h3></div>\n"
        "<div class=\"m-body\"><dl class=\"contact-list\">\n<dt>联&nbsp;系&nbsp;&nbsp;人：</dt>"
        "<dd><a href=\"");
    page.markup(MemberProfileUrl(hosts, company))
        .markup("\" target=\"_blank\">")
        .value(company.fact("联系人"))
        .markup("</a>")
        .value(company.fact("称呼"))
        .markup(" (")
        .value(company.fact("职位"))
        .markup(")</dd>\n<dt>电&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;话：</dt><dd>")
        .value(company.fact("电话"))
        .markup("</dd>\n<dt>移动电话：</dt><dd>\r\n    ")
        .value(company.fact("移动电话"))
        .markup("\r\n</dd>\n<dt>传&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;真：</dt><dd>")
        .value(company.fact("传真"))
        .markup("</dd>\n<dt>邮&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;编：</dt><dd>")
        .value(company.fact("邮编"))
        .markup("</dd>\n");
    if (const std::string& site = company.fact("公司网站"); !site.empty()) {
        page.markup("<dt>公司主页：</dt><dd><a href=\"")
            .markup(site)
            .markup("\" target=\"_blank\">")
            .value(site)
            .markup("</a></dd>\n");
    }
    page.markup("<dt>地&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;址：</dt><dd>")
        .value(company.fact("地址"))
        .markup(
            "</dd>\n</dl></div>\n</div><!--/m-content-->\n<div class=\"m-content\"><div "
            "class=\"m-header\"><h3>公司档案</h3></div><dl class=\"brief\"><dt>所在地区：</dt>"
            "<dd>\r\n    ")
        .value(AreaText(company))
        .markup("\r\n  </dd><dt>经营模式：</dt><dd>")
        .value(company.fact("经营模式"))
        .markup("</dd></dl></div><!--/m-content-->\n");
}

void WriteOtherContact(GbkPageWriter& page, const Company& company) {
    page.markup("<div class=\"contact-card\"><h2>联系方式</h2>\n<p>联系人：")
        .value(company.fact("联系人"))
        .markup(" ")
        .value(company.fact("称呼"))
        .markup("</p>\r\n<p>电话：")
        .value(company.fact("电话"))
        .markup("</p>\r\n<p>地址：")
        .value(company.fact("地址"))
        .markup("</p>\r\n</div>\n");
}

void WriteTitleBarProfile(GbkPageWriter& page, const Company& company) {
    page.markup(
        "    <div class=\"bodyContTitle\"><span class=\"fl b titleLinkColor titleName\">公司介绍"
        "</span></div>\n<div class=\"bodyCont\">&nbsp;&nbsp;&nbsp;\r\n        ");
    WriteIntroduction(page, company.fact("公司介绍"), "        ");
    page.markup(
        "\r\n                      </div>\n<div class=\"bodyContTitle\"><span class=\"fl b "
        "titleLinkColor titleName\">详细信息</span></div>\n<table class=\"detailTable\" "
        "width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n");
    page.markup(
            "<tr>\n<td width=\"22%\"><div align=\"right\"><strong><a href=\"/offerlist.html\">"
            "主营产品或服务</a>：</strong></div></td>\n<td style=\"word-break:break-all\" "
            "align=\"left\">")
        .value(company.fact("主营产品"))
        .markup(kTabbedCellEnd);
    LabelCell(page, "主营行业：", true);
    page.markup(kCell).value(company.fact("主营行业")).markup(kTabbedCellEnd);
    LabelCell(page, "企业类型：");
    page.markup(kCell)
        .value(company.fact("企业类型"))
        .markup("\r\n                        </td></tr>\n");
    LabelCell(page, "注册资本：");
    page.markup(kCapitalCell);
    WriteCapitalOnTwoLines(page, company.fact("注册资本"));
    page.markup("</td></tr>\n");
    for (const TitleBarRow& row : kTitleBarRows) {
        LabelCell(page, row.label, row.blankAfter);
        page.markup(kCell).value(company.fact(row.column)).markup("</td></tr>\n");
    }
    page.markup("</table>\n<ul class=\"featurewrap\">\n<li id=\"inte-workabilitywrap\">经营模式：")
        .value(company.fact("经营模式"))
        .markup(
            "</li>\n<li id=\"inte-trustwrap\">诚信通：第3年</li>\n</ul>\n<ul class=\"authinfo\">"
            "<li>工商注册信息：<a href=\"#\" onclick=\"aliclick(this,'?tracelog="
            "wp_infowidget_auth')\">")
        .value(company.fact("注册信息"))
        .markup("</a></li></ul>\n");
}

void WriteHeadingProfile(GbkPageWriter& page, const Company& company) {
    page.markup(
        "<div class=\"m-content\">\n<div class=\"m-header\"><h3>公司介绍</h3></div>\n"
        "<div class=\"info-body\">\r\n  ");
    WriteIntroduction(page, company.fact("公司介绍"), "  ");
    page.markup(
            "\r\n</div>\n</div><!--/m-content-->\n<div class=\"m-content\">\n<div "
            "class=\"m-header\"><h3>详细信息</h3></div>\n<table class=\"info-table\">\n<tr><th>"
            "<a href=\"/offerlist.html\">主营产品或服务：</a></th><td>")
        .value(company.fact("主营产品"))
        .markup("</td></tr>\n<tr><th>主营行业：</th><td>")
        .value(company.fact("主营行业"))
        .markup("</td></tr>\n<tr>\n <th class=\"auth\">企业类型：</th><td>")
        .value(company.fact("企业类型"))
        .markup("</td></tr>\n<tr><th class=\"auth\">注册资本：</th><td>");
    WriteCapitalOnTwoLines(page, company.fact("注册资本"));
    page.markup("</td></tr>\n");
    for (const auto& [header, column] : kHeadingRows)
        page.markup("<tr>").markup(header).value(company.fact(column)).markup("</td></tr>\n");
    page.markup("</table>\n<dl class=\"brief\"><dt>经营模式：</dt><dd>")
        .value(company.fact("经营模式"))
        .markup("</dd>\n<dt>工商注册信息：")
        .value(company.fact("注册信息"))
        .markup("</dt></dl>\n</div><!--/m-content-->\n");
}

}  // namespace marketsim

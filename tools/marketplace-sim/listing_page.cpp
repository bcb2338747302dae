#include "listing_page.h"

#include <algorithm>

#include "page_writer.h"

namespace marketsim {

namespace {

void WriteHead(GbkPageWriter& page, int pageNo, int pageCount) {
    page.markup(
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
            "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n"
            "<title>公司库 - 供应商搜索结果</title>\n"
            "<link rel=\"stylesheet\" href=\"/css/search/company-list.css\" />\n"
            "<script type=\"text/javascript\">\n"
            "var searchConfig = {pageNo: ")
        .markup(std::to_string(pageNo))
        .markup(", pageCount: ")
        .markup(std::to_string(pageCount))
        .markup(
            ", tab: 'company', showStyle: 'list'};\n"
            "document.domain = document.domain;\n"
            "</script>\n</head>\n<body>\n"
            "<div id=\"header\"><div class=\"logo\"><a href=\"/\">商机搜索</a></div>\n"
            "<form id=\"search-form\" action=\"/company/company_search.htm\" method=\"get\">"
            "<input type=\"text\" name=\"keywords\" value=\"\" />"
            "<button type=\"submit\">搜 索</button></form></div>\n");
}

void WriteCount(GbkPageWriter& page, long long total) {
    page.markup(
            "<div class=\"sm-navigatebar\"><span class=\"result\">共找到 <em id=\"route_total\">")
        .markup(std::to_string(total))
        .markup(
            "</em> 家相关公司</span>\n<ul class=\"filter\"><li>所在地区</li><li>经营模式</li>"
            "<li>诚信通年限</li></ul></div>\n");
}

// Built on the listing markers: the title link comes before any other target="_blank" title=
// in the entry, and the inquiry link closes it.
void WriteEntry(GbkPageWriter& page, const Company& company, int position) {
    const std::string& member = company.memberId;
    page.markup("<li class=\"offer paGetId\" id=\"offer")
        .markup(std::to_string(position))
        .markup("\">\n<div class=\"list-item-left\"><a href=\"")
        .markup(company.sourceUrl)
        .markup("\" class=\"list-item-img\"><img src=\"/img/company/")
        .markup(member)
        .markup(
            ".jpg\" alt=\"\" /></a></div>\n<div class=\"list-item-detail\">\n"
            "<div class=\"list-item-title\"><a class=\"Title\" gotoDetail=\"2\" href=\"")
        .markup(company.sourceUrl)
        .markup("\" target=\"_blank\" title=\"")
        .value(company.name)
        .markup("\" offer-stat=\"com\">")
        .value(company.name)
        .markup("</a>\n<a class=\"sw-ui-icon-tp\" href=\"/trust/")
        .markup(member)
        .markup(
            ".html\" target=\"_blank\" title=\"诚信通会员\"></a></div>\n"
            "<div class=\"list-item-info\" companyId=\"")
        .markup(member)
        .markup("\">\n<p>主营产品：")
        .value(company.fact("主营产品"))
        .markup("</p>\n<p>所在地区：")
        .value(company.fact("省份"))
        .markup(" ")
        .value(company.fact("城市"))
        .markup("</p>\n<p>经营模式：")
        .value(company.fact("经营模式"))
        .markup(
            "</p>\n</div>\n</div>\n<div class=\"list-item-right\">"
            "<a class=\"contact\" href=\"")
        .markup(company.contactPageUrl.empty() ? company.sourceUrl : company.contactPageUrl)
        .markup(
            "\" target=\"_blank\">联系方式</a></div>\n"
            "<a href=\"#nogo\" title=\"将您的询价单发送给该供应商\" memberid=\"")
        .markup(member)
        .markup("\">发询价</a></li>\n")
        .entryGap();
}

void WritePager(GbkPageWriter& page, int pageNo, int pageCount) {
    page.markup("<div class=\"page-nav\">\n");
    if (pageNo > 1) {
        page.markup("<a class=\"prev\" href=\"/company/company_search.htm?beginPage=")
            .markup(std::to_string(pageNo - 1))
            .markup("\">上一页</a>\n");
    }
    for (int n = std::max(1, pageNo - 2); n <= std::min(pageCount, pageNo + 2); ++n) {
        page.markup("<a href=\"/company/company_search.htm?beginPage=")
            .markup(std::to_string(n))
            .markup(n == pageNo ? "\" class=\"current\">" : "\">")
            .markup(std::to_string(n))
            .markup("</a>\n");
    }
    if (pageNo < pageCount) {
        page.markup("<a class=\"next\" href=\"/company/company_search.htm?beginPage=")
            .markup(std::to_string(pageNo + 1))
            .markup("\">下一页</a>\n");
    }
    page.markup("<span class=\"total\">共<b>")
        .markup(std::to_string(pageCount))
        .markup("</b>页</span> 到第<input type=\"text\" class=\"jump\" value=\"")
        .markup(std::to_string(pageNo))
        .markup("\" />页</div>\n");
}

void WriteFoot(GbkPageWriter& page) {
    page.markup(
        "<div id=\"footer\"><p>版权所有 商机搜索 模拟站点</p></div>\n"
        "<script type=\"text/javascript\">\n"
        "(function () { var items = document.getElementsByTagName('li');\n"
        "  for (var i = 0; i < items.length; i++) { items[i].onmouseover = function () {}; }\n"
        "})();\n</script>\n</body>\n</html>\n");
}

}  // namespace

std::string ListingPage(const CompanyCatalog& catalog, int pageNo, long long total,
                        Corruption corruption) {
    const int pageCount = catalog.config().pages;
    GbkPageWriter page(corruption);
    WriteHead(page, pageNo, pageCount);
    WriteCount(page, total);
    page.markup("<div class=\"sm-company-list\">\n<ul class=\"list\">\n");
    int position = 0;
    for (const Company& company : catalog.page(pageNo))
        WriteEntry(page, company, ++position);
    page.markup("</ul>\n</div>\n");
    WritePager(page, pageNo, pageCount);
    WriteFoot(page);
    return page.take();
}

}  // namespace marketsim

#include "company_pages.h"

#include <string_view>

#include "layout_pages.h"
#include "page_noise.h"

namespace marketsim {

namespace {

void BeginPage(GbkPageWriter& page, const Company& company, std::string_view title) {
    page.markup(
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
            "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n<title>")
        .value(company.name)
        .markup(" - ")
        .markup(title)
        .markup("</title>\n<meta name=\"keywords\" content=\"")
        .value(company.name)
        .markup("，")
        .value(company.fact("主营产品"))
        .markup("\" />\n")
        .raw(NoiseBlock(Noise::head))
        .markup("<script type=\"text/javascript\">var pageInfo = {memberId: '")
        .markup(company.memberId)
        .markup("', title: '")
        .value(company.name)
        .markup("'};</script>\n</head>\n<body>\n");
}

std::string EndPage(GbkPageWriter& page) {
    page.raw(NoiseBlock(Noise::footer)).markup("</body>\n</html>\n");
    return page.take();
}

// A shop page: banner and navigation, the side column, then the shop's own part.
void BeginShopBody(GbkPageWriter& page, const Company& company) {
    page.raw(NoiseBlock(Noise::shopTop))
        .markup("<div class=\"shop-name\"><h1>")
        .value(company.name)
        .markup("</h1></div>\n<div id=\"wrap\">\n")
        .raw(NoiseBlock(Noise::shopSide))
        .markup("<div class=\"wp-main\">\n");
}

std::string ShopContactPage(const Company& company, const SiteHosts& hosts, GbkPageWriter& page) {
    BeginPage(page, company, "联系方式");
    BeginShopBody(page, company);
    switch (company.contactVariant) {
        case ContactVariant::titlebar:
            WriteTitleBarContact(page, company, hosts);
            break;
        case ContactVariant::heading:
            WriteHeadingContact(page, company, hosts);
            break;
        case ContactVariant::other:
            WriteOtherContact(page, company);
            break;
    }
    page.markup("</div>\n</div>\n").raw(NoiseBlock(Noise::related));
    return EndPage(page);
}

std::string ShopProfilePage(const Company& company, GbkPageWriter& page) {
    BeginPage(page, company, "公司档案");
    BeginShopBody(page, company);
    if (company.contactVariant == ContactVariant::heading) {
        WriteHeadingProfile(page, company);
    } else {
        WriteTitleBarProfile(page, company);
    }
    page.raw(NoiseBlock(Noise::offers)).markup("</div>\n</div>\n");
    return EndPage(page);
}

// A detail page: the marketplace's header and menu, the company's part, related companies.
std::string DetailPage(const Company& company, CompanyPageKind kind, const SiteHosts& hosts,
                       GbkPageWriter& page) {
    BeginPage(page, company, kind == CompanyPageKind::contact ? "联系方式" : "公司介绍");
    page.raw(NoiseBlock(Noise::marketTop))
        .markup("<div class=\"company-name\"><h1>")
        .value(company.name)
        .markup("</h1></div>\n");
    if (kind == CompanyPageKind::contact) {
        WriteDetailContact(page, company, hosts);
    } else {
        WriteDetailProfile(page, company);
        page.raw(NoiseBlock(Noise::offers));
    }
    page.raw(NoiseBlock(Noise::related));
    return EndPage(page);
}

std::string HomePage(const Company& company, GbkPageWriter& page) {
    BeginPage(page, company, "首页");
    page.markup("<p class=\"products\">主营产品：").value(company.fact("主营产品"));
    page.markup("</p>\n");
    return EndPage(page);
}

std::string MemberProfilePage(const Company& company, GbkPageWriter& page) {
    BeginPage(page, company, "会员档案");
    page.markup("<p>会员帐号：").markup(company.memberId).markup("</p>\n<p><a href=\"");
    page.markup(company.sourceUrl).markup("\">进入商铺</a></p>\n");
    return EndPage(page);
}

}  // namespace

std::string CompanyPage(const Company& company, CompanyPageKind kind, const SiteHosts& hosts,
                        Corruption corruption) {
    GbkPageWriter page(corruption);
    switch (kind) {
        case CompanyPageKind::home:
            return HomePage(company, page);
        case CompanyPageKind::contact:
        case CompanyPageKind::profile:
            if (company.layout == Layout::detail)
                return DetailPage(company, kind, hosts, page);
            return kind == CompanyPageKind::contact ? ShopContactPage(company, hosts, page)
                                                    : ShopProfilePage(company, page);
        case CompanyPageKind::memberProfile:
            return MemberProfilePage(company, page);
    }
    return {};
}

Facts StoredFacts(const Company& company) {
    const bool shopRead = UsesShopPages(company.layout) && company.layout != Layout::caseshop &&
                          company.contactVariant != ContactVariant::other;
    const bool detail = company.layout == Layout::detail;
    Facts stored = company.facts;
    for (auto& [column, value] : stored) {
        const bool area = column == "省份" || column == "城市";
        if (!(shopRead || (detail && !area)))
            value.clear();
    }
    return stored;
}

}  // namespace marketsim

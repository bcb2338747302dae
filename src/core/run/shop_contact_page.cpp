#include "run/shop_contact_page.h"

#include "run/page_markers.h"
#include "run/page_search.h"
#include "text/text_markers.h"

namespace corpgather {
namespace {

using C = CompanyColumn;

// Every contact value of a block is read after its contact-person line.
constexpr std::string_view kTitleBarContact = "<dt>联系人：</dt>";
constexpr std::string_view kHeadingContact = "<dt>联&nbsp;系&nbsp;&nbsp;人：</dt>";

struct TitleBarMarkers {
    std::string title = GbkMarker(R"(<span class="fl b titleLinkColor titleName">联系方式</span>)");
    std::string blockEnd = GbkMarker(R"(class="vas_company_map"></div></div>)");
    std::string anchor = GbkMarker(kTitleBarContact);
    FieldRules fields = {
        {C::Contact, kTitleBarContact, "<a>", "</a>"},
        {C::Salutation, kTitleBarContact, "</a>&nbsp;", "（"},
        {C::Position, kTitleBarContact, "（", "）"},
        {C::Phone, kTitleBarContact, "电" + Nbsp(4) + "话：", "</li>"},
        {C::Mobile, kTitleBarContact, "<li >移动电话：", "</li>"},
        {C::Fax, kTitleBarContact, "<li >传" + Nbsp(4) + "真：", "</li>"},
        {C::Postcode, kTitleBarContact, "<li >邮" + Nbsp(4) + "编：", "</li>"},
        {C::Address, kTitleBarContact, "<li >地" + Nbsp(4) + "址：", "</li>"},
    };
    std::string websiteStart = GbkMarker("<li>公司主页：");
    std::string websiteEnd = "</li>";
    std::string linkStart = R"(class="draft_no_link topicLink" href=")";
    std::string linkEnd = R"(" target="_blank">)";
    std::string areaStart = GbkMarker("<li>所在地区：");
    std::string areaEnd = "</li>";
};

struct HeadingMarkers {
    std::string heading = GbkMarker("<h3>联系方式</h3>");
    std::string blockEnd = "<!--/m-content-->";
    FieldRules fields = {
        {C::Contact, kHeadingContact, R"( target="_blank">)", "</a>"},
        {C::Salutation, kHeadingContact, "</a>", " ("},
        {C::Position, kHeadingContact, " (", ")"},
        {C::Phone, "<dt>电" + Nbsp(6) + "话：</dt>", "<dd>", "</dd>"},
        {C::Mobile, "<dt>移动电话：</dt>", "<dd>", "</dd>"},
        {C::Fax, "<dt>传" + Nbsp(6) + "真：</dt>", "<dd>", "</dd>"},
        {C::Postcode, "<dt>邮" + Nbsp(6) + "编：</dt>", "<dd>", "</dd>"},
        {C::Address, "<dt>地" + Nbsp(6) + "址：</dt>", "<dd>", "</dd>"},
    };
    std::string website = GbkMarker("<dt>公司主页：</dt>");
    std::string linkStart = R"(target="_blank">)";
    std::string linkEnd = "</a>";
    FieldRule area{C::Province, "<dt>所在地区：</dt>", "<dd>", "</dd>"};
};

const TitleBarMarkers& titleBar() {
    static const TitleBarMarkers markers;
    return markers;
}

const HeadingMarkers& heading() {
    static const HeadingMarkers markers;
    return markers;
}

// "省份 城市": the text before the first blank is the province, the rest the city; without a
// blank both hold the whole text.
void putArea(std::string_view area, CompanyRecord& record) {
    const std::size_t blank = area.find(' ');
    if (blank == std::string_view::npos) {
        PutValue(record, C::Province, area);
        PutValue(record, C::City, area);
        return;
    }
    PutValue(record, C::Province, area.substr(0, blank));
    PutValue(record, C::City, area.substr(blank + 1));
}

void readTitleBar(std::string_view page, CompanyRecord& record) {
    const TitleBarMarkers& m = titleBar();
    // The first link tag of the block loses its attributes, so the name is cut after "<a>".
    const std::string block =
        CutBetweenMarks(PageBetweenText(page, m.title, m.blockEnd), "<a", ">");
    m.fields.read(block, record);

    // The item's link markup is gone once its tags are removed: its addresses are taken from
    // the raw item, and an item without links gives its clean text.
    if (const std::string_view from = FromAnchor(block, m.anchor); !from.empty()) {
        const std::string item = BetweenAfterAnchor(from, m.anchor, m.websiteStart, m.websiteEnd);
        const std::string links = JoinLinkTexts(item, m.linkStart, m.linkEnd);
        PutValue(
            record, C::Website,
            links.empty() ? FieldAfterAnchor(from, m.anchor, m.websiteStart, m.websiteEnd) : links);
    }

    // Taken as it stands: no tags removed, nothing trimmed.
    putArea(PageBetweenText(page, m.areaStart, m.areaEnd), record);
}

void readHeading(std::string_view page, CompanyRecord& record) {
    const HeadingMarkers& m = heading();
    const std::string block = PageBetweenText(page, m.heading, m.blockEnd);
    m.fields.read(block, record);

    // The block's own end marker never lies inside it: the links run to the end of the block.
    const std::size_t website = FindFirst(block, m.website);
    const std::string_view links = website == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(block).substr(website + m.website.size());
    PutValue(record, C::Website, JoinLinkTexts(links, m.linkStart, m.linkEnd));

    const std::string_view from = FromAnchor(page, m.area.anchor);
    putArea(FieldAfterAnchor(from, m.area.anchor, m.area.start, m.area.end), record);
}

}  // namespace

ShopContactVariant ShopContactVariantOf(std::string_view page) {
    if (Contains(page, titleBar().title))
        return ShopContactVariant::TitleBar;
    if (Contains(page, heading().heading))
        return ShopContactVariant::Heading;
    return ShopContactVariant::None;
}

void ReadShopContact(std::string_view page, ShopContactVariant variant, CompanyRecord& record) {
    switch (variant) {
        case ShopContactVariant::TitleBar:
            readTitleBar(page, record);
            break;
        case ShopContactVariant::Heading:
            readHeading(page, record);
            break;
        case ShopContactVariant::None:
            break;
    }
}

}  // namespace corpgather

#include "run/detail_pages.h"

#include <algorithm>
#include <vector>

#include "run/page_markers.h"
#include "run/page_search.h"
#include "text/byte_trim.h"
#include "text/text_markers.h"

namespace corpgather {
namespace {

using C = CompanyColumn;

struct ContactMarkers {
    std::string blockStart = GbkMarker("<!--S内容-->");
    std::string blockEnd = GbkMarker("<!--E内容-->");
    std::vector<FieldRule> fields = {
        {C::Salutation, "</a><sup>", "</a><sup>", "</sup>"},
        {C::Position, R"(<span class="role">)", R"(<span class="role">)", "</span>"},
        {C::Phone, "<!--电话-->", R"(<span class="value">)", "</span>"},
        {C::Mobile, "<!--移动电话-->", R"(<span class="value">)", "</span>"},
        {C::Fax, "<!--传真-->", R"(<span class="value">)", "</span>"},
        {C::Postcode, "<!--邮政编码-->", R"(<span class="value">)", "</span>"},
        {C::Website, "<abbr>公司网址：</abbr>", R"(<span class="url">)", "</span>"},
        {C::Address, "<!--公司地址-->", R"(<span class="value" title="">)", "</span>"},
    };
};

// A value in the row after its header's row, in the column of its header cell.
struct TableValue {
    CompanyColumn column;
    std::string anchor;
    std::string rowEnd;
};

struct ProfileMarkers {
    FieldRule introduction{C::Introduction, "<!--公司介绍 start-->", R"(<p class="cont-p">)",
                           "</p>", AfterCut::NbspToSpace};
    std::string productsHeader = GbkMarker("<th>主营产品或服务：</th>");
    std::string industryHeader = GbkMarker("<th>主营行业：</th>");
    std::string valueCell = "<td class='c1'>";
    std::vector<TableValue> table = {
        {C::EnterpriseType, GbkMarker("<th>企业类型：</th>"), "<tr>"},
        {C::BusinessModel, GbkMarker("<th>经营模式：</th>"), "</tr>"},
        {C::RegisteredCapital, GbkMarker("<th>注册资本：</th>"), "</tr>"},
        {C::RegisteredAddress, GbkMarker("<th>公司注册地：</th>"), "</tr>"},
        {C::Employees, GbkMarker("<th>员工人数：</th>"), "</tr>"},
        {C::Founded, GbkMarker("<th>公司成立时间：</th>"), "</tr>"},
        {C::LegalRepresentative, GbkMarker("<th>法定代表人：</th>"), "<tr>"},
        {C::Certification, GbkMarker("<th>管理体系认证：</th>"), "<tr>"},
        {C::OemService, GbkMarker("<th>是否提供加工/定制服务：</th>"), "<tr>"},
        {C::RdStaff, GbkMarker("<th>研发部门人数：</th>"), "<tr>"},
        {C::FactoryArea, GbkMarker("<th>厂房面积：</th>"), "<tr>"},
        {C::Registration, GbkMarker("<th>工商注册信息：</th>"), "<tr>"},
    };
};

const ContactMarkers& contactMarkers() {
    static const ContactMarkers markers;
    return markers;
}

const ProfileMarkers& profileMarkers() {
    static const ProfileMarkers markers;
    return markers;
}

// The row after the header row that holds `header`, from the page from that header on.
std::string rowAfter(std::string_view fromHeader, std::string_view header,
                     std::string_view rowEnd) {
    return BetweenAfterAnchor(fromHeader, header, "<tr>", rowEnd);
}

}  // namespace

void ReadDetailContact(std::string_view page, std::string_view memberProfileUrl,
                       CompanyRecord& record) {
    const ContactMarkers& m = contactMarkers();
    const std::string block = PageBetweenText(page, m.blockStart, m.blockEnd);
    const std::string memberLink =
        R"(<a href=")" + std::string(memberProfileUrl) + R"(" class="uol" target="_blank">)";
    const FieldRule contact{C::Contact, memberLink, memberLink, "</a>"};
    ReadFields(block, {&contact, 1}, record);
    ReadFields(block, m.fields, record);
}

void ReadDetailProfile(std::string_view page, CompanyRecord& record) {
    const ProfileMarkers& m = profileMarkers();
    ReadFields(page, {&m.introduction, 1}, record);
    // Tags removed, not trimmed.
    if (const std::string_view from = FromAnchor(page, m.productsHeader); !from.empty()) {
        const std::string row = rowAfter(from, m.productsHeader, "</tr>");
        PutValue(record, C::MainProducts, BetweenTextNoTags(row, m.valueCell, "</td>"));
    }
    if (const std::string_view from = FromAnchor(page, m.industryHeader); !from.empty()) {
        const std::string row = rowAfter(from, m.industryHeader, "</tr>");
        PutValue(record, C::MainIndustry,
                 JoinIndustryPieces(BetweenTextNoTags(row, "<td>", "</td>")));
    }
    for (const TableValue& value : m.table) {
        const std::size_t at = FindFirst(page, value.anchor);
        if (at == std::string_view::npos)
            continue;
        const std::string row = rowAfter(page.substr(at), value.anchor, value.rowEnd);
        const int column = PageHeaderColumnIndex(page, value.anchor, at);
        PutValue(record, value.column, NthCellText(row, m.valueCell, "</td>", column));
    }
}

std::string JoinIndustryPieces(std::string_view cell) {
    std::string joined;
    while (!cell.empty()) {
        const std::size_t tab = std::min(cell.find('\t'), cell.size());
        std::string piece(cell.substr(0, tab));
        std::erase(piece, '\n');
        const std::string_view trimmed = TrimBytes(piece);
        if (!trimmed.empty()) {
            if (!joined.empty())
                joined += "  ";
            joined += trimmed;
        }
        cell.remove_prefix(std::min(tab + 1, cell.size()));
    }
    return joined;
}

}  // namespace corpgather

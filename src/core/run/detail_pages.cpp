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
    FieldRules fields = {
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

// A value in the row after its header's row, in the column of its header cell; the row ends
// at `rowEnd`.
struct TableValue {
    CompanyColumn column;
    std::string_view header;
    std::string_view rowEnd;
};

constexpr TableValue kTableValues[] = {
    {C::EnterpriseType, "<th>企业类型：</th>", "<tr>"},
    {C::BusinessModel, "<th>经营模式：</th>", "</tr>"},
    {C::RegisteredCapital, "<th>注册资本：</th>", "</tr>"},
    {C::RegisteredAddress, "<th>公司注册地：</th>", "</tr>"},
    {C::Employees, "<th>员工人数：</th>", "</tr>"},
    {C::Founded, "<th>公司成立时间：</th>", "</tr>"},
    {C::LegalRepresentative, "<th>法定代表人：</th>", "<tr>"},
    {C::Certification, "<th>管理体系认证：</th>", "<tr>"},
    {C::OemService, "<th>是否提供加工/定制服务：</th>", "<tr>"},
    {C::RdStaff, "<th>研发部门人数：</th>", "<tr>"},
    {C::FactoryArea, "<th>厂房面积：</th>", "<tr>"},
    {C::Registration, "<th>工商注册信息：</th>", "<tr>"},
};

// The headers of the profile page, found together: the two free-text rows, then the table.
enum Header : std::size_t { kProducts, kIndustry, kFirstTableValue };

std::vector<std::string> profileHeaders() {
    std::vector<std::string> headers = {GbkMarker("<th>主营产品或服务：</th>"),
                                        GbkMarker("<th>主营行业：</th>")};
    for (const TableValue& value : kTableValues)
        headers.push_back(GbkMarker(value.header));
    return headers;
}

struct ProfileMarkers {
    FieldRules introduction = {{C::Introduction, "<!--公司介绍 start-->", R"(<p class="cont-p">)",
                                "</p>", AfterCut::NbspToSpace}};
    std::vector<std::string> headers = profileHeaders();
    MarkerFinder finder{headers};
    std::string valueCell = "<td class='c1'>";
};

const ContactMarkers& contactMarkers() {
    static const ContactMarkers markers;
    return markers;
}

const ProfileMarkers& profileMarkers() {
    static const ProfileMarkers markers;
    return markers;
}

}  // namespace

void ReadDetailContact(std::string_view page, std::string_view memberProfileUrl,
                       CompanyRecord& record) {
    const ContactMarkers& m = contactMarkers();
    const std::string block = PageBetweenText(page, m.blockStart, m.blockEnd);
    const std::string memberLink = GbkMarker(R"(<a href=")" + std::string(memberProfileUrl) +
                                             R"(" class="uol" target="_blank">)");
    if (Contains(block, memberLink))
        PutValue(record, C::Contact, FieldAfterAnchor(block, memberLink, memberLink, "</a>"));
    m.fields.read(block, record);
}

void ReadDetailProfile(std::string_view page, CompanyRecord& record) {
    const ProfileMarkers& m = profileMarkers();
    m.introduction.read(page, record);
    const std::vector<std::size_t> found = m.finder.find(page);
    // The row after each header's own row, from the page from that header on.
    const auto rowAfter = [&](std::size_t header, std::string_view rowEnd) {
        return BetweenAfterAnchor(page.substr(found[header]), m.headers[header], "<tr>", rowEnd);
    };
    // Tags removed, not trimmed.
    if (found[kProducts] != std::string_view::npos) {
        PutValue(record, C::MainProducts,
                 BetweenTextNoTags(rowAfter(kProducts, "</tr>"), m.valueCell, "</td>"));
    }
    if (found[kIndustry] != std::string_view::npos) {
        PutValue(
            record, C::MainIndustry,
            JoinIndustryPieces(BetweenTextNoTags(rowAfter(kIndustry, "</tr>"), "<td>", "</td>")));
    }
    for (std::size_t i = 0; i < std::size(kTableValues); ++i) {
        const std::size_t header = kFirstTableValue + i;
        if (found[header] == std::string_view::npos)
            continue;
        const int column = PageHeaderColumnIndex(page, m.headers[header], found[header]);
        PutValue(
            record, kTableValues[i].column,
            NthCellText(rowAfter(header, kTableValues[i].rowEnd), m.valueCell, "</td>", column));
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

#include "run/shop_profile_page.h"

#include "run/page_markers.h"

namespace corpgather {
namespace {

using C = CompanyColumn;

// Cells of the title-bar profile table; the registered capital's cell alone has no blank
// before its closing quotation mark.
constexpr std::string_view kCell = R"(right:5px; padding-bottom:3px; " align="left">)";
constexpr std::string_view kCapitalCell = R"(right:5px; padding-bottom:3px;" align="left">)";

std::string rightLabel(std::string_view label) {
    return R"(<div align="right"><strong>)" + std::string(label) + "</strong></div>";
}

const FieldRules& titleBarRules() {
    static const FieldRules rules = {
        {C::Introduction,
         Blanks(4) +
             R"(<div class="bodyContTitle"><span class="fl b titleLinkColor titleName">公司介绍</span></div>)",
         "&nbsp;&nbsp;&nbsp;", Blanks(22) + "</div>", AfterCut::NbspToSpace},
        {C::MainProducts, "主营产品或服务</a>：</strong>",
         R"(style="word-break:break-all" align="left">)", Blanks(4) + Tabs(4) + "</td>"},
        {C::MainIndustry, R"(<div align="right"><strong>主营行业：</strong> </div>)",
         R"(padding-bottom:3px; " align="left">)", Blanks(4) + Tabs(4) + "</td>"},
        {C::EnterpriseType, rightLabel("企业类型："), kCell, Blanks(24) + "</td>"},
        {C::BusinessModel, R"(<ul class="featurewrap">)",
         R"(<li id="inte-workabilitywrap">经营模式：)", "</li>"},
        {C::RegisteredCapital, rightLabel("注册资本："), kCapitalCell, "</td>",
         AfterCut::JoinLineBreak},
        {C::RegisteredAddress, rightLabel("公司注册地："), kCell, "</td>"},
        {C::Employees, rightLabel("员工人数："), kCell, "</td>"},
        {C::Founded, rightLabel("公司成立时间："), kCell, "</td>"},
        {C::LegalRepresentative, R"(<div align="right"><strong>法定代表人：</strong> </div>)",
         kCell, "</td>"},
        {C::Certification, rightLabel("管理体系认证："), kCell, "</td>"},
        {C::OemService, rightLabel("是否提供加工/定制服务："), kCell, "</td>"},
        {C::RdStaff, rightLabel("研发部门人数："), kCell, "</td>"},
        {C::FactoryArea, rightLabel("厂房面积："), kCell, "</td>"},
        {C::Registration, "<li>工商注册信息：", R"m(tracelog=wp_infowidget_auth')">)m", "</a>"},
    };
    return rules;
}

const FieldRules& headingRules() {
    static const FieldRules rules = {
        {C::Introduction, "<h3>公司介绍</h3>", R"(<div class="info-body">)", "</div>",
         AfterCut::NbspToSpace},
        {C::MainProducts, "主营产品或服务：</a></th>", "<td>", "</td>"},
        {C::MainIndustry, "<th>主营行业：</th>", "<td>", "</td>"},
        {C::EnterpriseType, R"( <th class="auth">企业类型：</th>)", "<td>", "</td>"},
        {C::BusinessModel, "<dt>经营模式：</dt>", "<dd>", "</dd>"},
        {C::RegisteredCapital, R"(<th class="auth">注册资本：</th>)", "<td>", "</td>",
         AfterCut::JoinLineBreak},
        {C::RegisteredAddress, R"(<th class="auth">公司注册地：</th>)", "<td>", "</td>"},
        {C::Employees, "<th>员工人数：</th>", "<td >", "</td>"},
        {C::Founded, R"(<th class="auth">公司成立时间：</th>)", "<td>", "</td>"},
        {C::LegalRepresentative, R"(<th class="auth">法定代表人： </th>)", "<td>", "</td>"},
        {C::Certification, "<th>管理体系认证： </th>", "<td>", "</td>"},
        {C::OemService, "<th>是否提供加工/定制服务：</th>", "<td>", "</td>"},
        {C::RdStaff, "<th>研发部门人数：</th>", "<td>", "</td>"},
        {C::FactoryArea, "<th>厂房面积：</th>", "<td>", "</td>"},
        {C::Registration, "<dt>工商注册信息：", "<dt>工商注册信息：", "</dt>"},
    };
    return rules;
}

}  // namespace

void ReadShopProfile(std::string_view page, ShopContactVariant variant, CompanyRecord& record) {
    switch (variant) {
        case ShopContactVariant::TitleBar:
            titleBarRules().read(page, record);
            break;
        case ShopContactVariant::Heading:
            headingRules().read(page, record);
            break;
        case ShopContactVariant::None:
            break;
    }
}

}  // namespace corpgather

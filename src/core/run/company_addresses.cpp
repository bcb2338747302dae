#include "run/company_addresses.h"

namespace corpgather {
namespace {

std::string http(const std::string& host, const std::string& path) {
    return "http://" + host + path;
}

}  // namespace

CompanyAddresses BuildCompanyAddresses(const std::string& memberId, const MarketplaceHosts& hosts) {
    const std::string& m = memberId;
    const std::string shopHost = m + hosts.shopSuffix;
    CompanyAddresses a;
    a.shopForm = http(shopHost, "/");
    a.companySiteForm = http(hosts.companySite, "/athena/" + m + ".html");
    a.detailForm = http(hosts.market, "/company/detail/" + m + ".html");
    a.detailContact = http(hosts.market, "/company/detail/contact/" + m + ".html");
    a.detailProfile = http(hosts.market, "/company/detail/intro/" + m + ".html");
    a.shopContact = http(shopHost, "/athena/contact/" + m + ".html");
    a.shopProfile = http(shopHost, "/athena/companyprofile/" + m + ".html");
    a.memberProfilePrefix = http(hosts.memberProfile, "/user/");
    return a;
}

PageLayout ChooseLayout(const std::string& sourceUrl, const CompanyAddresses& addresses) {
    if (sourceUrl == addresses.shopForm || sourceUrl == addresses.companySiteForm)
        return PageLayout::Shop;
    if (sourceUrl == addresses.detailForm) return PageLayout::Detail;
    return PageLayout::None;
}

}  // namespace corpgather

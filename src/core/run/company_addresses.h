#pragma once

#include <string>

#include "store/settings.h"

namespace corpgather {

// Which of a company's pages the shop address leads to.
enum class PageLayout {
    None,    // an address of no known form: no page is fetched
    Shop,    // the member's own shop host (shop form or company-site form)
    Detail,  // the detail pages on the marketplace host
};

// The addresses of one member's pages, built from the configured hosts.
struct CompanyAddresses {
    std::string shopForm;
    std::string companySiteForm;
    std::string detailForm;
    std::string detailContact;
    std::string detailProfile;
    std::string shopContact;
    std::string shopProfile;
    std::string memberProfilePrefix;
};

CompanyAddresses BuildCompanyAddresses(const std::string& memberId, const MarketplaceHosts& hosts);

// Compares the whole address, case-sensitively, with the forms of the member's addresses.
PageLayout ChooseLayout(const std::string& sourceUrl, const CompanyAddresses& addresses);

}  // namespace corpgather

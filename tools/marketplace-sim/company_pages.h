#pragma once

#include <string>

#include "company_catalog.h"
#include "page_writer.h"
#include "site_hosts.h"

namespace marketsim {

enum class CompanyPageKind {
    home,           // the page of the source address
    contact,        // contact page of the company's layout
    profile,        // profile page of the company's layout
    memberProfile,  // the member's page on the member-profile host
};

// The GBK page of one company. Contact and profile pages are drawn per layout (detail, or shop
// with its contact variant) from the company's facts.
std::string CompanyPage(const Company& company, CompanyPageKind kind, const SiteHosts& hosts,
                        Corruption corruption);

}  // namespace marketsim

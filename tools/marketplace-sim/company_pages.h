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
// with its contact variant) from the company's facts, amid the clutter of a real page.
std::string CompanyPage(const Company& company, CompanyPageKind kind, const SiteHosts& hosts,
                        Corruption corruption);

// The facts as a collection run stores them from this company's pages: every fact for a shop
// of a known variant, all but the area for the detail layout, none where no page is read.
Facts StoredFacts(const Company& company);

}  // namespace marketsim

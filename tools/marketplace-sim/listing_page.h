#pragma once

#include <string>

#include "company_catalog.h"
#include "page_writer.h"

namespace marketsim {

// One GBK result page: the count markers (total companies, page count) and one entry per
// company of the page; a page outside the listing has the markers and no entries.
std::string ListingPage(const CompanyCatalog& catalog, int pageNo, long long total,
                        Corruption corruption);

}  // namespace marketsim

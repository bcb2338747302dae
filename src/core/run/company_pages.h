#pragma once

#include "run/web_client.h"
#include "store/company_record.h"
#include "store/settings.h"

namespace corpgather {

// Fetches the company's contact and profile pages (at most two fetches, each once) in the
// layout its shop address leads to, and fills the record's page values. The record already
// holds its listing values.
void CollectCompanyPages(CompanyRecord& record, WebClient& client, const MarketplaceHosts& hosts);

}  // namespace corpgather

#include "run/company_pages.h"

#include "run/company_addresses.h"
#include "run/page_fetch.h"

namespace corpgather {

void CollectCompanyPages(CompanyRecord& record, WebClient& client, const MarketplaceHosts& hosts) {
    const CompanyAddresses addresses =
        BuildCompanyAddresses(record[CompanyColumn::MemberId], hosts);
    switch (ChooseLayout(record[CompanyColumn::SourceUrl], addresses)) {
        case PageLayout::Shop:
            FetchPageOrLog(client, addresses.shopContact);
            if (client.isAborted()) return;
            client.useProfileHeaders();
            FetchPageOrLog(client, addresses.shopProfile);
            break;
        case PageLayout::Detail:
            FetchPageOrLog(client, addresses.detailContact);
            if (client.isAborted()) return;
            client.useProfileHeaders();
            FetchPageOrLog(client, addresses.detailProfile);
            break;
        case PageLayout::None:
            break;
    }
}

}  // namespace corpgather

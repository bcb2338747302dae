#include "run/company_pages.h"

#include "run/company_addresses.h"
#include "run/detail_pages.h"
#include "run/page_fetch.h"
#include "run/shop_contact_page.h"
#include "run/shop_profile_page.h"

namespace corpgather {
namespace {

// The profile headers go on before each profile request; the client keeps them for every
// later request of the run.
std::string fetchProfilePage(WebClient& client, const std::string& url) {
    client.useProfileHeaders();
    return FetchPageOrLog(client, url);
}

// After a fetch of an aborted client the run is being stopped and discards the record.
void collectShopPages(CompanyRecord& record, WebClient& client, const CompanyAddresses& at) {
    const std::string contact = FetchPageOrLog(client, at.shopContact);
    if (client.isAborted())
        return;
    const ShopContactVariant variant = ShopContactVariantOf(contact);
    if (variant == ShopContactVariant::None)
        return;
    ReadShopContact(contact, variant, record);
    const std::string profile = fetchProfilePage(client, at.shopProfile);
    if (client.isAborted())
        return;
    ReadShopProfile(profile, variant, record);
}

void collectDetailPages(CompanyRecord& record, WebClient& client, const CompanyAddresses& at) {
    const std::string contact = FetchPageOrLog(client, at.detailContact);
    if (client.isAborted())
        return;
    ReadDetailContact(contact, at.memberProfilePrefix + record[CompanyColumn::MemberId] + ".html",
                      record);
    const std::string profile = fetchProfilePage(client, at.detailProfile);
    if (client.isAborted())
        return;
    ReadDetailProfile(profile, record);
}

}  // namespace

void CollectCompanyPages(CompanyRecord& record, WebClient& client, const MarketplaceHosts& hosts) {
    const CompanyAddresses addresses =
        BuildCompanyAddresses(record[CompanyColumn::MemberId], hosts);
    switch (ChooseLayout(record[CompanyColumn::SourceUrl], addresses)) {
        case PageLayout::Shop:
            collectShopPages(record, client, addresses);
            break;
        case PageLayout::Detail:
            collectDetailPages(record, client, addresses);
            break;
        case PageLayout::None:
            break;
    }
}

}  // namespace corpgather

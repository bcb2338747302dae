#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "company_facts.h"
#include "layouts.h"
#include "site_hosts.h"

namespace marketsim {

// The forms of a shop's contact page: the two the engine reads, and one it does not know.
enum class ContactVariant { titlebar, heading, other };

struct Company {
    int index = 0;  // 1-based position in the whole listing
    int page = 0;   // result page that lists it
    std::string memberId;
    Layout layout = Layout::detail;
    ContactVariant contactVariant = ContactVariant::titlebar;
    std::string name;
    std::string sourceUrl;
    // The pages the engine fetches for this layout; empty for the unknown layout.
    std::string contactPageUrl;
    std::string profilePageUrl;
    Facts facts;

    // The value of one column; empty for a column the company does not show.
    const std::string& fact(std::string_view column) const;
};

struct CatalogConfig {
    std::uint64_t seed = 1;
    int pages = 10;
    int perPage = 20;
    LayoutWeights layoutWeights = DefaultLayoutWeights();
    SiteHosts hosts;
};

// Every company of the listing, each a pure function of the seed and its index.
class CompanyCatalog final {
public:
    explicit CompanyCatalog(CatalogConfig config);

    const CatalogConfig& config() const { return config_; }
    int companyCount() const { return config_.pages * config_.perPage; }

    // index in [1, companyCount()].
    Company company(int index) const;
    // The company of a member id "m<seed>x<index>", if the listing holds it.
    std::optional<Company> find(std::string_view memberId) const;
    // The companies of one result page in listing order; none beyond the last page.
    std::vector<Company> page(int pageNo) const;

private:
    Layout layoutOf(int index) const;

    CatalogConfig config_;
    unsigned weightTotal_ = 0;
};

}  // namespace marketsim

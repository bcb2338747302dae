#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "company_catalog.h"
#include "company_pages.h"
#include "page_writer.h"

namespace marketsim {

struct SimPage {
    int status = 404;
    std::string body;  // GBK HTML
};

// Maps a request to the marketplace page it asks for. Answers must cost little, since the
// benchmark fetches thousands and measures the client: clean listing pages are made once and
// cached, company pages are made afresh around surroundings built once.
class SimRouter final {
public:
    SimRouter(const CompanyCatalog& catalog, long long total);

    // host: the Host header without its port; path: decoded, without the query; target: raw.
    std::shared_ptr<const SimPage> route(std::string_view host, std::string_view path,
                                         std::string_view target, Corruption corruption);

private:
    struct PageRef {
        enum class Kind { listing, company, missing } kind = Kind::missing;
        int number = 0;  // result page, or company index
        CompanyPageKind companyPage = CompanyPageKind::home;
    };

    PageRef resolve(std::string_view host, std::string_view path, std::string_view target) const;
    PageRef resolveShop(std::string_view member, std::string_view path) const;
    PageRef resolveMarket(std::string_view path, std::string_view target) const;
    std::shared_ptr<const SimPage> render(const PageRef& ref, Corruption corruption) const;

    const CompanyCatalog& catalog_;
    long long total_;
    std::string market_, shopSuffix_, companySite_, memberProfile_;  // lower-case
    std::shared_ptr<const SimPage> missing_;
    std::mutex cacheMutex_;
    std::unordered_map<std::string, std::shared_ptr<const SimPage>> cache_;
};

// The Host header's name, lower-cased, without a port.
std::string HostName(std::string_view hostHeader);

}  // namespace marketsim

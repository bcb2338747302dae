#include "company_catalog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <numeric>
#include <stdexcept>

#include "sim_random.h"

namespace marketsim {

namespace {

enum Purpose : std::uint64_t { kLayoutStream = 1, kTextStream = 2, kVariantStream = 3 };

std::string MemberId(std::uint64_t seed, int index) {
    return "m" + std::to_string(seed) + "x" + std::to_string(index);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string SourceUrl(const SiteHosts& hosts, Layout layout, const std::string& member) {
    switch (layout) {
        case Layout::detail:
            return Origin(hosts, hosts.market) + "/company/detail/" + member + ".html";
        case Layout::titlebar:
        case Layout::heading:
        case Layout::othershop:
            return Origin(hosts, ShopHost(hosts, member)) + "/";
        case Layout::site:
            return Origin(hosts, hosts.companySite) + "/athena/" + member + ".html";
        case Layout::unknown:
            return Origin(hosts, hosts.market) + "/offer/" + member + ".html";
        case Layout::caseshop:
            return Origin(hosts, ShopHost(hosts, Upper(member))) + "/";
    }
    return {};
}

void SetPageUrls(const SiteHosts& hosts, Company& company) {
    const std::string& member = company.memberId;
    if (company.layout == Layout::detail) {
        const std::string origin = Origin(hosts, hosts.market);
        company.contactPageUrl = origin + "/company/detail/contact/" + member + ".html";
        company.profilePageUrl = origin + "/company/detail/intro/" + member + ".html";
    } else if (UsesShopPages(company.layout)) {
        const std::string origin = Origin(hosts, ShopHost(hosts, member));
        company.contactPageUrl = origin + "/athena/contact/" + member + ".html";
        company.profilePageUrl = origin + "/athena/companyprofile/" + member + ".html";
    }
}

ContactVariant VariantOf(std::uint64_t seed, int index, Layout layout) {
    if (layout == Layout::titlebar)
        return ContactVariant::titlebar;
    if (layout == Layout::heading)
        return ContactVariant::heading;
    if (layout == Layout::othershop)
        return ContactVariant::other;
    SimRandom random(StreamSeed(seed, index, kVariantStream));
    return random.chance(50) ? ContactVariant::titlebar : ContactVariant::heading;
}

}  // namespace

const std::string& Company::fact(std::string_view column) const {
    static const std::string kEmpty;
    for (const auto& [name, value] : facts) {
        if (name == column)
            return value;
    }
    return kEmpty;
}

CompanyCatalog::CompanyCatalog(CatalogConfig config) : config_(std::move(config)) {
    weightTotal_ = std::accumulate(config_.layoutWeights.begin(), config_.layoutWeights.end(), 0u);
    if (weightTotal_ == 0)
        throw std::invalid_argument("every layout weight is 0");
}

Layout CompanyCatalog::layoutOf(int index) const {
    SimRandom random(StreamSeed(config_.seed, index, kLayoutStream));
    unsigned draw = random.below(weightTotal_);
    for (std::size_t i = 0; i < kLayoutCount; ++i) {
        if (draw < config_.layoutWeights[i])
            return kAllLayouts[i];
        draw -= config_.layoutWeights[i];
    }
    return Layout::detail;
}

Company CompanyCatalog::company(int index) const {
    Company company;
    company.index = index;
    company.page = (index - 1) / config_.perPage + 1;
    company.memberId = MemberId(config_.seed, index);
    company.layout = layoutOf(index);
    company.contactVariant = VariantOf(config_.seed, index, company.layout);
    CompanyText text = GenerateCompanyText(StreamSeed(config_.seed, index, kTextStream));
    company.name = std::move(text.name);
    company.facts = std::move(text.facts);
    company.sourceUrl = SourceUrl(config_.hosts, company.layout, company.memberId);
    SetPageUrls(config_.hosts, company);
    return company;
}

std::optional<Company> CompanyCatalog::find(std::string_view memberId) const {
    const std::string prefix = "m" + std::to_string(config_.seed) + "x";
    if (!memberId.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = memberId.substr(prefix.size());
    int index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.starts_with('0')) {
        return std::nullopt;
    }
    if (index < 1 || index > companyCount())
        return std::nullopt;
    return company(index);
}

std::vector<Company> CompanyCatalog::page(int pageNo) const {
    std::vector<Company> companies;
    if (pageNo < 1 || pageNo > config_.pages)
        return companies;
    const int first = (pageNo - 1) * config_.perPage + 1;
    for (int index = first; index < first + config_.perPage; ++index) {
        companies.push_back(company(index));
    }
    return companies;
}

}  // namespace marketsim

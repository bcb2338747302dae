#include "sim_router.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "listing_page.h"

namespace marketsim {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The member id of a path "<prefix><member>.html", or empty.
std::string_view MemberIn(std::string_view path, std::string_view prefix) {
    if (!path.starts_with(prefix) || !path.ends_with(".html"))
        return {};
    return path.substr(prefix.size(), path.size() - prefix.size() - 5);
}

// The number after "beginPage=" in the query, or -1 when there is none.
int BeginPage(std::string_view target) {
    const std::size_t query = target.find('?');
    if (query == std::string_view::npos)
        return -1;
    constexpr std::string_view kKey = "beginPage=";
    std::size_t at = target.find(kKey, query);
    while (at != std::string_view::npos && target[at - 1] != '?' && target[at - 1] != '&') {
        at = target.find(kKey, at + 1);
    }
    if (at == std::string_view::npos)
        return -1;
    const char* begin = target.data() + at + kKey.size();
    int page = -1;
    const auto [end, error] = std::from_chars(begin, target.data() + target.size(), page);
    if (error != std::errc() || (end != target.data() + target.size() && *end != '&'))
        return -1;
    return page;
}

std::shared_ptr<const SimPage> MakePage(int status, std::string body) {
    return std::make_shared<const SimPage>(SimPage{status, std::move(body)});
}

}  // namespace

std::string HostName(std::string_view hostHeader) {
    const std::size_t colon = hostHeader.rfind(':');
    if (colon != std::string_view::npos && hostHeader.find(']', colon) == std::string_view::npos) {
        hostHeader = hostHeader.substr(0, colon);
    }
    return Lower(hostHeader);
}

SimRouter::SimRouter(const CompanyCatalog& catalog, long long total)
    : catalog_(catalog),
      total_(total),
      market_(Lower(catalog.config().hosts.market)),
      shopSuffix_(Lower(catalog.config().hosts.shopSuffix)),
      companySite_(Lower(catalog.config().hosts.companySite)),
      memberProfile_(Lower(catalog.config().hosts.memberProfile)) {
    GbkPageWriter page;
    page.markup(
        "<html><head><title>404 Not Found</title></head><body>"
        "<h1>404 Not Found</h1><p>您访问的页面不存在。</p></body></html>\n");
    missing_ = MakePage(404, page.take());
}

SimRouter::PageRef SimRouter::resolveShop(std::string_view member, std::string_view path) const {
    using Kind = PageRef::Kind;
    const std::optional<Company> company = catalog_.find(member);
    if (!company || !UsesShopPages(company->layout))
        return {};
    if (path == "/")
        return {Kind::company, company->index, CompanyPageKind::home};
    if (MemberIn(path, "/athena/contact/") == member) {
        return {Kind::company, company->index, CompanyPageKind::contact};
    }
    if (MemberIn(path, "/athena/companyprofile/") == member) {
        return {Kind::company, company->index, CompanyPageKind::profile};
    }
    return {};
}

SimRouter::PageRef SimRouter::resolveMarket(std::string_view path, std::string_view target) const {
    using Kind = PageRef::Kind;
    const struct {
        std::string_view prefix;
        Layout layout;
        CompanyPageKind page;
    } kCompanyPaths[] = {
        {"/company/detail/contact/", Layout::detail, CompanyPageKind::contact},
        {"/company/detail/intro/", Layout::detail, CompanyPageKind::profile},
        {"/company/detail/", Layout::detail, CompanyPageKind::home},
        {"/offer/", Layout::unknown, CompanyPageKind::home},
    };
    for (const auto& known : kCompanyPaths) {
        const std::string_view member = MemberIn(path, known.prefix);
        if (member.empty() || member.find('/') != std::string_view::npos)
            continue;
        const std::optional<Company> company = catalog_.find(member);
        if (company && company->layout == known.layout) {
            return {Kind::company, company->index, known.page};
        }
        return {};
    }
    const int page = BeginPage(target);
    if (page < 0)
        return {};
    return {Kind::listing, page};
}

SimRouter::PageRef SimRouter::resolve(std::string_view host, std::string_view path,
                                      std::string_view target) const {
    using Kind = PageRef::Kind;
    if (host == market_)
        return resolveMarket(path, target);
    if (host.size() > shopSuffix_.size() && host.ends_with(shopSuffix_)) {
        return resolveShop(host.substr(0, host.size() - shopSuffix_.size()), path);
    }
    if (host == companySite_) {
        const std::optional<Company> company = catalog_.find(MemberIn(path, "/athena/"));
        if (company && company->layout == Layout::site) {
            return {Kind::company, company->index, CompanyPageKind::home};
        }
    } else if (host == memberProfile_) {
        const std::optional<Company> company = catalog_.find(MemberIn(path, "/user/"));
        if (company)
            return {Kind::company, company->index, CompanyPageKind::memberProfile};
    }
    return {};
}

std::shared_ptr<const SimPage> SimRouter::render(const PageRef& ref, Corruption corruption) const {
    switch (ref.kind) {
        case PageRef::Kind::listing:
            return MakePage(200, ListingPage(catalog_, ref.number, total_, corruption));
        case PageRef::Kind::company:
            return MakePage(200, CompanyPage(catalog_.company(ref.number), ref.companyPage,
                                             catalog_.config().hosts, corruption));
        case PageRef::Kind::missing:
            break;
    }
    return missing_;
}

std::shared_ptr<const SimPage> SimRouter::route(std::string_view host, std::string_view path,
                                                std::string_view target, Corruption corruption) {
    const PageRef ref = resolve(host, path, target);
    if (ref.kind == PageRef::Kind::missing)
        return missing_;
    const bool pastLastPage =
        ref.kind == PageRef::Kind::listing && ref.number > catalog_.config().pages;
    // A company's pages are asked for about once per run and, made from surroundings built
    // once, cost little to make again; caching thousands of them would only hold memory.
    if (corruption != Corruption::none || pastLastPage || ref.kind == PageRef::Kind::company)
        return render(ref, corruption);
    const std::string key = std::to_string(static_cast<int>(ref.kind)) + ":" +
                            std::to_string(ref.number) + ":" +
                            std::to_string(static_cast<int>(ref.companyPage));
    {
        std::lock_guard lock(cacheMutex_);
        if (const auto found = cache_.find(key); found != cache_.end())
            return found->second;
    }
    // Rendered outside the lock so that other threads keep being served; a page rendered twice
    // by two racing threads is byte-identical, so either copy may win.
    std::shared_ptr<const SimPage> page = render(ref, corruption);
    std::lock_guard lock(cacheMutex_);
    return cache_.emplace(key, std::move(page)).first->second;
}

}  // namespace marketsim

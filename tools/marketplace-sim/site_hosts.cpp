#include "site_hosts.h"

namespace marketsim {

std::string Origin(const SiteHosts& hosts, std::string_view host) {
    return "http://" + std::string(host) + ":" + std::to_string(hosts.port);
}

std::string ShopHost(const SiteHosts& hosts, std::string_view memberId) {
    return std::string(memberId) + hosts.shopSuffix;
}

}  // namespace marketsim

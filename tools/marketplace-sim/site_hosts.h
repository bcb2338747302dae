#pragma once

#include <string>
#include <string_view>

namespace marketsim {

// The host names the simulated marketplace answers to, and the port every address carries.
struct SiteHosts {
    std::string market = "127.0.0.1";
    std::string shopSuffix = ".shop.localhost";
    std::string companySite = "company.localhost";
    std::string memberProfile = "member.localhost";
    int port = 0;
};

// "http://host:port", the start of every address the simulator hands out.
std::string Origin(const SiteHosts& hosts, std::string_view host);

// The member's own shop host: the member id followed by the shop suffix.
std::string ShopHost(const SiteHosts& hosts, std::string_view memberId);

}  // namespace marketsim

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fault_rules.h"
#include "layouts.h"
#include "site_hosts.h"

namespace marketsim {

struct SimOptions {
    int port = 0;  // 0: any free port
    std::uint64_t seed = 1;
    int pages = 10;
    int perPage = 20;
    std::optional<long long> total;  // the count the listing shows; pages × perPage when unset
    int latencyMs = 0;
    LayoutWeights layoutWeights = DefaultLayoutWeights();
    SiteHosts hosts;  // port filled in once the server is bound
    std::vector<FaultRule> faults;

    long long shownTotal() const { return total.value_or(1LL * pages * perPage); }
};

// The command line; nullopt with a reason in error for a bad or unknown argument.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string& error);

const char* SimUsage();

}  // namespace marketsim

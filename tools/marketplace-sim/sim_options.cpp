#include "sim_options.h"

#include <charconv>
#include <functional>
#include <map>
#include <string_view>

namespace marketsim {

namespace {

template <typename T>
bool ReadNumber(const std::string& text, T low, T high, T& out) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

// "detail=1,titlebar=2": layouts left out get weight 0.
bool ReadLayouts(std::string_view list, LayoutWeights& weights) {
    weights.fill(0);
    unsigned total = 0;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            return false;
        const std::optional<Layout> layout = ParseLayout(item.substr(0, equals));
        unsigned weight = 0;
        if (!layout || !ReadNumber(std::string(item.substr(equals + 1)), 0u, 1000000u, weight)) {
            return false;
        }
        weights[static_cast<std::size_t>(*layout)] = weight;
        total += weight;
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return total > 0;
}

}  // namespace

const char* SimUsage() {
    return "usage: marketplace-sim [options]\n"
           "  --port N                 0 (default): any free port\n"
           "  --seed N                 default 1\n"
           "  --pages N                result pages, default 10\n"
           "  --per-page N             entries per page, default 20\n"
           "  --total N                count the listing shows, default pages x per-page\n"
           "  --latency-ms N           time from a request to its page, default 0\n"
           "  --layouts LIST           weights, default\n"
           "                           detail=1,titlebar=1,heading=1,site=1,unknown=1,caseshop=0,\n"
           "                           othershop=0\n"
           "  --market-host H          default 127.0.0.1\n"
           "  --shop-suffix S          default .shop.localhost\n"
           "  --company-site-host H    default company.localhost\n"
           "  --member-profile-host H  default member.localhost\n"
           "  --fault kind=K[,param=P][,match=M][,times=N][,rate=R]   repeatable; kinds are\n"
           "                           latency status reset truncate drip hang oversize\n"
           "                           badgbk nul\n"
           "Prints the port on the first line of stdout, then serves on 127.0.0.1 until SIGINT\n"
           "or SIGTERM.\n";
}

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args,
                                          std::string& error) {
    SimOptions options;
    const std::map<std::string, std::function<bool(const std::string&)>> readers = {
        {"--port", [&](const std::string& v) { return ReadNumber(v, 0, 65535, options.port); }},
        {"--seed",
         [&](const std::string& v) {
             return ReadNumber<std::uint64_t>(v, 0, UINT64_MAX, options.seed);
         }},
        {"--pages", [&](const std::string& v) { return ReadNumber(v, 0, 100000, options.pages); }},
        {"--per-page",
         [&](const std::string& v) { return ReadNumber(v, 1, 1000, options.perPage); }},
        {"--total",
         [&](const std::string& v) {
             long long total = 0;
             if (!ReadNumber<long long>(v, 0, INT64_MAX, total))
                 return false;
             options.total = total;
             return true;
         }},
        {"--latency-ms",
         [&](const std::string& v) { return ReadNumber(v, 0, 3600000, options.latencyMs); }},
        {"--layouts", [&](const std::string& v) { return ReadLayouts(v, options.layoutWeights); }},
        {"--market-host",
         [&](const std::string& v) { return !(options.hosts.market = v).empty(); }},
        {"--shop-suffix",
         [&](const std::string& v) { return !(options.hosts.shopSuffix = v).empty(); }},
        {"--company-site-host",
         [&](const std::string& v) { return !(options.hosts.companySite = v).empty(); }},
        {"--member-profile-host",
         [&](const std::string& v) { return !(options.hosts.memberProfile = v).empty(); }},
        {"--fault",
         [&](const std::string& v) {
             std::optional<FaultRule> rule = ParseFaultRule(v, error);
             if (rule)
                 options.faults.push_back(std::move(*rule));
             return rule.has_value();
         }},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto reader = readers.find(args[i]);
        if (reader == readers.end()) {
            error = "unknown argument: " + args[i];
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            error = args[i] + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (!reader->second(value)) {
            if (error.empty())
                error = "bad value for " + args[i - 1] + ": " + value;
            return std::nullopt;
        }
    }
    if (1LL * options.pages * options.perPage > 10000000) {
        error = "--pages × --per-page is too large";
        return std::nullopt;
    }
    return options;
}

}  // namespace marketsim

#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim_random.h"

namespace marketsim {

enum class FaultKind { latency, status, reset, truncate, drip, hang, oversize, badGbk, nul };

struct FaultRule {
    FaultKind kind = FaultKind::status;
    std::optional<double> param;     // meaning and default depend on the kind
    std::string match;               // substring of host + target; empty matches everything
    std::optional<long long> times;  // at most this many applications; unlimited when unset
    double rate = 1.0;               // probability per matching request
};

using FaultFields = std::vector<std::pair<std::string, std::string>>;

// A rule from key=value fields (kind, param, match, times, rate); nullopt and a reason in
// error for an unknown key or kind, or a value out of range.
std::optional<FaultRule> MakeFaultRule(const FaultFields& fields, std::string& error);
// The command-line form: "kind=status,param=503,match=beginPage=3".
std::optional<FaultRule> ParseFaultRule(std::string_view text, std::string& error);

// What a rule does to one response, its parameter resolved to the kind's default.
struct FaultAction {
    FaultKind kind;
    double param;
};

// The faults one request gets: the sum of the latency rules that fire, and the first other
// rule that fires (later rules are not consulted, so they do not use up their times).
struct FaultPlan {
    double latencyMs = 0;
    std::optional<FaultAction> action;
};

// The rules of the command line and those added at run time; thread-safe.
class FaultBook final {
public:
    FaultBook(std::uint64_t seed, std::vector<FaultRule> startRules);

    void add(FaultRule rule);
    // Drops the rules added at run time; the command-line rules stay.
    void clearAdded();
    FaultPlan plan(std::string_view hostAndTarget);

private:
    struct Entry {
        FaultRule rule;
        long long applied = 0;
    };
    bool fires(Entry& entry, std::string_view hostAndTarget);

    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::size_t startCount_;
    SimRandom random_;  // draws for rules with a rate below 1
};

}  // namespace marketsim

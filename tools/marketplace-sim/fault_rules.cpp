#include "fault_rules.h"

#include <array>
#include <charconv>
#include <cmath>

namespace marketsim {

namespace {

struct KindInfo {
    std::string_view name;
    FaultKind kind;
    double defaultParam;
};

constexpr std::array<KindInfo, 9> kKinds = {{
    {"latency", FaultKind::latency, 1000},  // milliseconds
    {"status", FaultKind::status, 500},     // HTTP status
    {"reset", FaultKind::reset, 0},
    {"truncate", FaultKind::truncate, 0},
    {"drip", FaultKind::drip, 200},         // milliseconds between chunks
    {"hang", FaultKind::hang, 3600},        // seconds
    {"oversize", FaultKind::oversize, 17},  // MiB
    {"badgbk", FaultKind::badGbk, 0},
    {"nul", FaultKind::nul, 0},
}};

constexpr std::uint64_t kFaultStream = 4;

const KindInfo& InfoOf(FaultKind kind) {
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind)
            return info;
    }
    return kKinds.front();
}

std::optional<double> ToNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<FaultRule> MakeFaultRule(const FaultFields& fields, std::string& error) {
    FaultRule rule;
    bool haveKind = false;
    for (const auto& [key, value] : fields) {
        if (key == "kind") {
            for (const KindInfo& info : kKinds) {
                if (info.name == value) {
                    rule.kind = info.kind;
                    haveKind = true;
                }
            }
            if (!haveKind) {
                error = "unknown fault kind: " + value;
                return std::nullopt;
            }
        } else if (key == "match") {
            rule.match = value;
        } else if (key == "param" || key == "times" || key == "rate") {
            const std::optional<double> number = ToNumber(value);
            if (!number || *number < 0 || (key == "rate" && *number > 1)) {
                error = "bad fault " + key + ": " + value;
                return std::nullopt;
            }
            if (key == "param")
                rule.param = number;
            if (key == "times")
                rule.times = static_cast<long long>(*number);
            if (key == "rate")
                rule.rate = *number;
        } else {
            error = "unknown fault key: " + key;
            return std::nullopt;
        }
    }
    if (!haveKind) {
        error = "a fault needs kind=";
        return std::nullopt;
    }
    return rule;
}

std::optional<FaultRule> ParseFaultRule(std::string_view text, std::string& error) {
    FaultFields fields;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view field = text.substr(0, comma);
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos) {
            error = "fault field without '=': " + std::string(field);
            return std::nullopt;
        }
        fields.emplace_back(field.substr(0, equals), field.substr(equals + 1));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return MakeFaultRule(fields, error);
}

FaultBook::FaultBook(std::uint64_t seed, std::vector<FaultRule> startRules)
    : startCount_(startRules.size()), random_(StreamSeed(seed, 0, kFaultStream)) {
    for (FaultRule& rule : startRules)
        entries_.push_back({std::move(rule)});
}

void FaultBook::add(FaultRule rule) {
    std::lock_guard lock(mutex_);
    entries_.push_back({std::move(rule)});
}

void FaultBook::clearAdded() {
    std::lock_guard lock(mutex_);
    entries_.resize(startCount_);
}

bool FaultBook::fires(Entry& entry, std::string_view hostAndTarget) {
    const FaultRule& rule = entry.rule;
    if (hostAndTarget.find(rule.match) == std::string_view::npos)
        return false;
    if (rule.times && entry.applied >= *rule.times)
        return false;
    if (rule.rate < 1 && random_.unit() >= rule.rate)
        return false;
    ++entry.applied;
    return true;
}

FaultPlan FaultBook::plan(std::string_view hostAndTarget) {
    std::lock_guard lock(mutex_);
    FaultPlan plan;
    for (Entry& entry : entries_) {
        const bool latency = entry.rule.kind == FaultKind::latency;
        if (!latency && plan.action)
            continue;
        if (!fires(entry, hostAndTarget))
            continue;
        const double param = entry.rule.param.value_or(InfoOf(entry.rule.kind).defaultParam);
        if (latency) {
            plan.latencyMs += param;
        } else {
            plan.action = FaultAction{entry.rule.kind, param};
        }
    }
    return plan;
}

}  // namespace marketsim

#include "request_log.h"

#include <strings.h>

#include <httplib.h>

#include "json_out.h"

namespace marketsim {

namespace {

// httplib adds these to every request; the client never sent them.
bool IsServerAdded(const std::string& name) {
    return name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" ||
           name == "REMOTE_PORT";
}

}  // namespace

void RequestLog::record(const httplib::Request& request) {
    Entry entry{request.get_header_value("Host"), request.target, {}};
    for (const auto& [name, value] : request.headers) {
        if (IsServerAdded(name))
            continue;
        // Repeated headers are joined as HTTP allows, so the JSON object keeps unique names.
        if (!entry.headers.empty() &&
            strcasecmp(entry.headers.back().first.c_str(), name.c_str()) == 0) {
            entry.headers.back().second += ", " + value;
        } else {
            entry.headers.emplace_back(name, value);
        }
    }
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
}

void RequestLog::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

long long RequestLog::count() const {
    std::lock_guard lock(mutex_);
    return static_cast<long long>(entries_.size());
}

std::string RequestLog::json() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> items;
    items.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        JsonObject headers;
        for (const auto& [name, value] : entry.headers)
            headers.add(name, value);
        items.push_back(JsonObject()
                            .add("host", entry.host)
                            .add("target", entry.target)
                            .addRaw("headers", headers.str())
                            .str());
    }
    return JsonArray(items);
}

}  // namespace marketsim

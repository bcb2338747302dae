#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace httplib {
struct Request;
}

namespace marketsim {

// Every request the marketplace pages received, in arrival order, for tests to inspect.
class RequestLog final {
public:
    void record(const httplib::Request& request);
    void clear();
    long long count() const;
    // [{"host":…,"target":…,"headers":{name:value,…}},…]
    std::string json() const;

private:
    struct Entry {
        std::string host;
        std::string target;
        std::vector<std::pair<std::string, std::string>> headers;
    };

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace marketsim

#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

typedef void CURL;
typedef void CURLM;
struct curl_slist;

namespace corpgather {

// libcurl's global state, set up once before the first client of the process.
void InitWebClients();

struct FetchResult {
    bool ok = false;
    bool aborted = false;  // ended by abort(): not a failure of the page itself
    long status = 0;
    std::string body;
    std::string error;  // why the fetch failed, as a short message
};

// The web client of one collection run: one reused handle (keep-alive), redirects followed,
// no signals. A fetch fails when no data arrived for the read time-out, on an HTTP status of
// 400 or more, and when the body grows beyond kMaxBodyBytes. abort() may be called from any
// thread; it ends a fetch in flight promptly and fails every later fetch.
class WebClient final {
public:
    static constexpr std::size_t kMaxBodyBytes = 16u << 20;

    WebClient();
    ~WebClient();
    WebClient(const WebClient&) = delete;
    WebClient& operator=(const WebClient&) = delete;

    void setReadTimeout(std::chrono::seconds timeout);

    // The request headers of a company profile request; they stay in force for every later
    // request of this client.
    void useProfileHeaders();
    bool usesProfileHeaders() const { return profileHeaders_ != nullptr; }

    FetchResult get(const std::string& url);

    void abort();
    bool isAborted() const { return aborted_.load(); }

private:
    struct Transfer;
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* transfer);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* transfer);

    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    curl_slist* profileHeaders_ = nullptr;
    std::chrono::seconds readTimeout_{60};
    // Received bodies land here; reused so that a run does not grow a fresh buffer per page.
    std::string receiveBuffer_;
    std::atomic<bool> aborted_{false};
};

}  // namespace corpgather

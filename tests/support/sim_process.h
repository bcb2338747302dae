#pragma once

#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corpgather::test {

// A marketplace-sim process for one test. The constructor starts binDir()/"marketplace-sim"
// with the given arguments (for example {"--seed", "7", "--pages", "3"}) and returns once the
// simulator has printed its port; it throws std::runtime_error when the simulator exits or
// prints nothing within ten seconds. The destructor stops it.
//
//   SimProcess sim({"--pages", "2"});
//   HttpResult page = HttpGet(sim.baseUrl() + "/company/company_search.htm?beginPage=1");
//   HttpGet(sim.url("m1x1.shop.localhost", "/"));   // the host of a member's shop
class SimProcess final {
public:
    explicit SimProcess(const std::vector<std::string>& args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT", the default marketplace host.
    std::string baseUrl() const;
    // "http://HOST:PORT" followed by path; curl resolves every *.localhost name to loopback.
    std::string url(const std::string& host, const std::string& path) const;

    // Sends the signal and waits for the exit, with SIGKILL after five seconds. Returns the
    // waitpid() status; later calls return the same status.
    int stop(int signal = SIGTERM);

private:
    pid_t pid_ = -1;
    int port_ = 0;
    int status_ = 0;
};

struct HttpResult {
    long status = 0;    // HTTP status; 0 when no response arrived
    int curlCode = 0;   // CURLcode of the transfer; 0 on success
    std::string error;  // curl's message when curlCode is not 0
    std::string body;   // raw bytes as received
    std::string contentType;
    long newConnections = 0;  // 0 when the transfer reused a kept-alive connection
};

// A reusable curl handle, so that successive requests share one kept-alive connection.
class HttpSession final {
public:
    HttpSession();
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // headers: "Name: value" lines added to the request.
    HttpResult get(const std::string& url, const std::vector<std::string>& headers = {},
                   std::chrono::milliseconds timeout = std::chrono::seconds(30));

private:
    void* curl_;
};

// One GET on a fresh connection.
HttpResult HttpGet(const std::string& url, const std::vector<std::string>& headers = {},
                   std::chrono::milliseconds timeout = std::chrono::seconds(30));

// The simulator's pages are GBK. Strict conversions for tests: EncodeGbk throws for text GBK
// cannot hold; DecodeGbk gives nullopt for bytes that are not valid GBK.
std::string EncodeGbk(std::string_view utf8);
std::optional<std::string> DecodeGbk(std::string_view gbk);

}  // namespace corpgather::test

#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <stdexcept>
#include <thread>

#include <curl/curl.h>
#include <iconv.h>

#include "support/test_support.h"

extern char** environ;

namespace corpgather::test {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// The first line of fd, or empty when none arrives before the deadline or the writer ends.
std::string ReadFirstLine(int fd, steady_clock::time_point deadline) {
    std::string line;
    while (steady_clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - steady_clock::now());
        pollfd watch{fd, POLLIN, 0};
        if (poll(&watch, 1, static_cast<int>(left.count()) + 1) <= 0)
            continue;
        char c;
        if (read(fd, &c, 1) != 1)
            return {};
        if (c == '\n')
            return line;
        line += c;
    }
    return {};
}

bool WaitForExit(pid_t pid, int& status, milliseconds timeout) {
    return waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout);
}

size_t AppendBody(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

std::optional<std::string> Convert(const char* to, const char* from, std::string_view text) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv_open failed");
    std::string out(text.size() * 2 + 1, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* dest = out.data();
    std::size_t destLeft = out.size();
    const bool converted =
        iconv(converter, &in, &inLeft, &dest, &destLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted)
        return std::nullopt;
    out.resize(out.size() - destLeft);
    return out;
}

}  // namespace

SimProcess::SimProcess(const std::vector<std::string>& args) {
    const std::string program = (binDir() / "marketplace-sim").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const int spawned =
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        throw std::runtime_error("cannot start " + program);
    }

    const std::string line = ReadFirstLine(out[0], steady_clock::now() + std::chrono::seconds(10));
    // The simulator writes nothing else to stdout; closing here keeps a full pipe from ever
    // blocking it.
    close(out[0]);
    try {
        port_ = std::stoi(line);
    } catch (const std::exception&) {
        stop();
        throw std::runtime_error("marketplace-sim printed no port (\"" + line + "\")");
    }
}

SimProcess::~SimProcess() {
    stop();
}

std::string SimProcess::baseUrl() const {
    return url("127.0.0.1", "");
}

std::string SimProcess::url(const std::string& host, const std::string& path) const {
    return "http://" + host + ":" + std::to_string(port_) + path;
}

int SimProcess::stop(int signal) {
    if (pid_ < 0)
        return status_;
    kill(pid_, signal);
    if (!WaitForExit(pid_, status_, std::chrono::seconds(5))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status_, 0);
    }
    pid_ = -1;
    return status_;
}

HttpSession::HttpSession() {
    static std::once_flag global;
    std::call_once(global, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    curl_ = curl_easy_init();
}

HttpSession::~HttpSession() {
    curl_easy_cleanup(static_cast<CURL*>(curl_));
}

HttpResult HttpSession::get(const std::string& url, const std::vector<std::string>& headers,
                            std::chrono::milliseconds timeout) {
    CURL* curl = static_cast<CURL*>(curl_);
    HttpResult result;
    curl_slist* list = nullptr;
    for (const std::string& header : headers)
        list = curl_slist_append(list, header.c_str());
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    result.curlCode = curl_easy_perform(curl);
    if (result.curlCode != CURLE_OK)
        result.error =
            error[0] ? error : curl_easy_strerror(static_cast<CURLcode>(result.curlCode));
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_easy_getinfo(curl, CURLINFO_NUM_CONNECTS, &result.newConnections);
    char* type = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type) {
        result.contentType = type;
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(list);
    return result;
}

HttpResult HttpGet(const std::string& url, const std::vector<std::string>& headers,
                   std::chrono::milliseconds timeout) {
    return HttpSession().get(url, headers, timeout);
}

std::string EncodeGbk(std::string_view utf8) {
    std::optional<std::string> gbk = Convert("GBK", "UTF-8", utf8);
    if (!gbk)
        throw std::invalid_argument("not representable in GBK");
    return *gbk;
}

std::optional<std::string> DecodeGbk(std::string_view gbk) {
    return Convert("UTF-8", "GBK", gbk);
}

}  // namespace corpgather::test

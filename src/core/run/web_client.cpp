#include "run/web_client.h"

#include <algorithm>
#include <mutex>

#include <curl/curl.h>

namespace corpgather {
namespace {

constexpr char kProfileUserAgent[] =
    "Mozilla/5.0 (Windows; U; Windows NT 5.1; zh-CN; rv:1.9.2.13) Gecko/20101203 "
    "Firefox/3.6.13 ( .NET CLR 3.5.30729)";

// How often a waiting fetch looks at its read time-out; abort() wakes it at once.
constexpr int kPollMilliseconds = 200;

}  // namespace

struct WebClient::Transfer {
    std::string& body;
    bool tooLarge = false;
    std::chrono::steady_clock::time_point lastData = std::chrono::steady_clock::now();
};

void InitWebClients() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

WebClient::WebClient() {
    InitWebClients();
    easy_ = curl_easy_init();
    multi_ = curl_multi_init();
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &WebClient::onBody);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &WebClient::onHeader);
    setReadTimeout(readTimeout_);
    receiveBuffer_.reserve(256 * 1024);
}

WebClient::~WebClient() {
    curl_multi_cleanup(multi_);
    curl_easy_cleanup(easy_);
    curl_slist_free_all(profileHeaders_);
}

void WebClient::setReadTimeout(std::chrono::seconds timeout) {
    readTimeout_ = std::max(timeout, std::chrono::seconds(1));
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, static_cast<long>(readTimeout_.count()));
}

void WebClient::useProfileHeaders() {
    if (profileHeaders_) return;
    profileHeaders_ = curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded");
    profileHeaders_ = curl_slist_append(profileHeaders_, "Accept-Charset: GBK");
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, profileHeaders_);
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, kProfileUserAgent);
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
}

void WebClient::abort() {
    aborted_ = true;
    curl_multi_wakeup(multi_);
}

std::size_t WebClient::onBody(char* data, std::size_t size, std::size_t count, void* opaque) {
    auto* transfer = static_cast<Transfer*>(opaque);
    const std::size_t bytes = size * count;
    transfer->lastData = std::chrono::steady_clock::now();
    if (transfer->body.size() + bytes > kMaxBodyBytes) {
        transfer->tooLarge = true;
        return 0;  // makes libcurl end the transfer with a write error
    }
    transfer->body.append(data, bytes);
    return bytes;
}

std::size_t WebClient::onHeader(char*, std::size_t size, std::size_t count, void* opaque) {
    static_cast<Transfer*>(opaque)->lastData = std::chrono::steady_clock::now();
    return size * count;
}

FetchResult WebClient::get(const std::string& url) {
    FetchResult result;
    if (aborted_) {
        result.aborted = true;
        result.error = "aborted";
        return result;
    }
    receiveBuffer_.clear();
    Transfer transfer{receiveBuffer_};
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, &transfer);
    curl_multi_add_handle(multi_, easy_);

    bool timedOut = false;
    int running = 1;
    while (running) {
        if (curl_multi_perform(multi_, &running) != CURLM_OK) break;
        if (!running) break;
        if (aborted_) break;
        if (std::chrono::steady_clock::now() - transfer.lastData > readTimeout_) {
            timedOut = true;
            break;
        }
        curl_multi_poll(multi_, nullptr, 0, kPollMilliseconds, nullptr);
    }

    CURLcode code = CURLE_OK;
    bool done = false;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_) {
            code = message->data.result;
            done = true;
        }
    }
    curl_multi_remove_handle(multi_, easy_);
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &result.status);

    if (!done) {
        result.aborted = aborted_.load() && !timedOut;
        result.error = timedOut ? "read timed out after " + std::to_string(readTimeout_.count()) + " s"
                                : "aborted";
    } else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.error = "response body larger than 16 MiB";
    } else if (code != CURLE_OK) {
        result.error = curl_easy_strerror(code);
    } else if (result.status >= 400) {
        result.error = "HTTP status " + std::to_string(result.status);
    } else {
        result.ok = true;
        result.body.assign(receiveBuffer_);
    }
    return result;
}

}  // namespace corpgather

#include "run/page_fetch.h"

#include "text/event_log.h"

namespace corpgather {

std::string FetchPageOrLog(WebClient& client, const std::string& url) {
    FetchResult result = client.get(url);
    if (result.ok) return std::move(result.body);
    if (!result.aborted) WriteLog("页面获取失败（" + result.error + "）：" + url);
    return {};
}

}  // namespace corpgather

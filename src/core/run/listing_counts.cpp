#include "run/listing_counts.h"

#include <algorithm>

#include "run/web_client.h"
#include "store/settings.h"
#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather {

ListingCounts ReadListingCounts(std::string_view pageText) {
    static const std::string totalStart = Utf8ToGbk(R"(<em id="route_total">)");
    static const std::string totalEnd = Utf8ToGbk("</em>");
    static const std::string pagesStart = Utf8ToGbk("共<b>");
    static const std::string pagesEnd = Utf8ToGbk("</b>");
    return {GbkToUtf8(BetweenText(pageText, totalStart, totalEnd)),
            GbkToUtf8(BetweenText(pageText, pagesStart, pagesEnd))};
}

std::optional<ListingCounts> FetchListingCounts(const std::string& url, std::string* error) {
    WebClient client;
    client.setReadTimeout(std::chrono::seconds(GetTimeOut()));
    const int attempts = std::max(1, GetTryNum());
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const FetchResult result = client.get(url);
        if (result.ok) return ReadListingCounts(result.body);
        if (error) *error = result.error;
    }
    return std::nullopt;
}

}  // namespace corpgather

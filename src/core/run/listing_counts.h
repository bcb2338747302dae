#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corpgather {

// The result count and page count a listing page shows, as its texts (UTF-8), neither trimmed
// nor checked; a missing marker gives empty text.
struct ListingCounts {
    std::string totalNum;
    std::string totalPage;
};

ListingCounts ReadListingCounts(std::string_view pageText);

// Fetches the first result page (GET, redirects, TimeOut, up to TryNum attempts) and reads
// its counts; nothing when every attempt failed, with the last failure in `error`.
std::optional<ListingCounts> FetchListingCounts(const std::string& url, std::string* error = nullptr);

}  // namespace corpgather

#pragma once

#include <string>

#include "run/web_client.h"

namespace corpgather {

// Fetches one page for a run: the body, or empty text when the fetch failed, in which case a
// log line names the failure and the address. An aborted fetch is not logged: the run is
// being stopped, not the page failing.
std::string FetchPageOrLog(WebClient& client, const std::string& url);

}  // namespace corpgather

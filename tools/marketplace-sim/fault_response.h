#pragma once

#include <memory>

#include "fault_rules.h"
#include "sim_router.h"
#include "stop_signal.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace marketsim {

inline constexpr const char* kPageContentType = "text/html; charset=GBK";

// Ties a request's place in the in-flight count to the response's lifetime, which for a
// streamed body ends only after httplib has written it.
using InFlightToken = std::shared_ptr<void>;

void ServePage(const SimPage& page, httplib::Response& response);

// Answers with page, spoiled as the fault kind says (status, reset, truncate, drip, hang,
// oversize); every wait ends early when stop is raised.
void ServeWithFault(const FaultAction& action, std::shared_ptr<const SimPage> page,
                    const httplib::Request& request, httplib::Response& response, StopSignal& stop,
                    InFlightToken token);

}  // namespace marketsim

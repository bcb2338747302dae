#pragma once

#include <atomic>
#include <memory>

#include <httplib.h>

#include "company_catalog.h"
#include "control_api.h"
#include "fault_rules.h"
#include "request_log.h"
#include "sim_options.h"
#include "sim_router.h"
#include "stop_signal.h"

namespace marketsim {

// The simulated marketplace on 127.0.0.1: listing and company pages by host, the faults of the
// rules, and the control endpoints.
class SimServer final {
public:
    explicit SimServer(SimOptions options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    // Binds the port of the options (0: any free one); the port, or -1 when binding failed.
    int bind();
    // Serves until stop(); call once, after bind().
    bool serve();
    // From any thread: ends every wait and connection and makes serve() return.
    void stop();

private:
    void handle(const httplib::Request& request, httplib::Response& response);

    SimOptions options_;
    FaultBook faults_;
    RequestLog log_;
    StopSignal stop_;
    std::atomic<long long> active_{0};
    std::atomic<bool> served_{false};
    httplib::Server http_;
    std::unique_ptr<CompanyCatalog> catalog_;
    std::unique_ptr<SimRouter> router_;
    std::unique_ptr<ControlApi> control_;
};

}  // namespace marketsim

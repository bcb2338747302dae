#include "sim_server.h"

#include <chrono>
#include <thread>

#include "connection_socket.h"
#include "fault_response.h"

namespace marketsim {

namespace {

// Faulty requests (hang, drip) hold a thread each, and every keep-alive client holds one too.
constexpr std::size_t kThreads = 64;

InFlightToken CountInFlight(std::atomic<long long>& active) {
    ++active;
    return std::shared_ptr<void>(nullptr, [&active](void*) { --active; });
}

Corruption CorruptionOf(const FaultPlan& plan) {
    if (!plan.action)
        return Corruption::none;
    if (plan.action->kind == FaultKind::badGbk)
        return Corruption::badGbk;
    if (plan.action->kind == FaultKind::nul)
        return Corruption::nul;
    return Corruption::none;
}

}  // namespace

SimServer::SimServer(SimOptions options)
    : options_(std::move(options)), faults_(options_.seed, options_.faults) {
    http_.new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    http_.set_keep_alive_max_count(1000000);
    http_.set_keep_alive_timeout(10);
    http_.set_tcp_nodelay(true);
    http_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        handle(request, response);
    });
}

SimServer::~SimServer() = default;

int SimServer::bind() {
    const std::string host = "127.0.0.1";
    int port = options_.port;
    if (port == 0) {
        port = http_.bind_to_any_port(host);
    } else if (!http_.bind_to_port(host, port)) {
        port = -1;
    }
    if (port <= 0)
        return -1;
    options_.hosts.port = port;
    catalog_ = std::make_unique<CompanyCatalog>(CatalogConfig{
        options_.seed, options_.pages, options_.perPage, options_.layoutWeights, options_.hosts});
    router_ = std::make_unique<SimRouter>(*catalog_, options_.shownTotal());
    control_ = std::make_unique<ControlApi>(*catalog_, faults_, log_, active_);
    return port;
}

bool SimServer::serve() {
    const bool served = stop_.raised() || http_.listen_after_bind();
    served_ = true;
    return served;
}

void SimServer::stop() {
    stop_.raise();
    // stop() is a no-op until listening has begun, and idle keep-alive connections would keep
    // their threads for the keep-alive time-out, so both are repeated until serve() is done.
    while (!served_) {
        http_.stop();
        ShutdownConnections(options_.hosts.port);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void SimServer::handle(const httplib::Request& request, httplib::Response& response) {
    if (request.path.starts_with("/__sim/")) {
        control_->handle(request, response);
        return;
    }
    InFlightToken token = CountInFlight(active_);
    log_.record(request);
    const std::string hostHeader = request.get_header_value("Host");
    const FaultPlan plan = faults_.plan(hostHeader + request.target);
    // The latency runs from the request's arrival, and the page is made meanwhile: a client
    // waits the latency, not the latency and the making of a company page on top.
    const auto answerAt =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long long>(options_.latencyMs + plan.latencyMs));
    std::shared_ptr<const SimPage> page =
        router_->route(HostName(hostHeader), request.path, request.target, CorruptionOf(plan));
    stop_.sleepUntil(answerAt);
    if (plan.action) {
        ServeWithFault(*plan.action, std::move(page), request, response, stop_, std::move(token));
    } else {
        ServePage(*page, response);
    }
}

}  // namespace marketsim

// The marketplace-sim process: how it starts, refuses bad arguments and ends on a signal even
// while clients hold connections or wait for a hanging answer.
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/sim_process.h"
#include "support/test_support.h"

namespace corpgather::test {
namespace {

bool ExitedCleanly(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

using Load = std::function<void(const SimProcess&, std::vector<std::thread>&, HttpSession&)>;

void KeepAConnection(const SimProcess& sim, std::vector<std::thread>&, HttpSession& session) {
    ASSERT_EQ(session.get(sim.baseUrl() + "/x?beginPage=1").status, 200);
}

void HangAndDrip(const SimProcess& sim, std::vector<std::thread>& clients, HttpSession&) {
    HttpGet(sim.baseUrl() + "/__sim/fault?kind=hang&match=hang");
    HttpGet(sim.baseUrl() + "/__sim/fault?kind=drip&param=1000&match=drip");
    for (const char* path : {"/hang?beginPage=1", "/drip?beginPage=1"}) {
        clients.emplace_back([url = sim.baseUrl() + path] { HttpGet(url); });
    }
    EXPECT_TRUE(waitFor([&] {
        const std::string stats = HttpGet(sim.baseUrl() + "/__sim/stats").body;
        return stats.find("\"active\":2") != std::string::npos;
    }));
}

TEST(SimProcessLife, EndsCleanlyOnASignalWhateverClientsAreDoing) {
    const struct {
        std::string name;
        int signal;
        Load load;
    } cases[] = {
        {"idle, SIGTERM", SIGTERM, [](const SimProcess&, auto&, auto&) {}},
        {"idle, SIGINT", SIGINT, [](const SimProcess&, auto&, auto&) {}},
        {"kept-alive connection", SIGTERM, KeepAConnection},
        {"hanging and dripping, SIGTERM", SIGTERM, HangAndDrip},
        {"hanging and dripping, SIGINT", SIGINT, HangAndDrip},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess sim;
        HttpSession session;
        std::vector<std::thread> clients;
        c.load(sim, clients, session);
        EXPECT_TRUE(ExitedCleanly(sim.stop(c.signal)));
        for (std::thread& client : clients)
            client.join();
    }
}

TEST(SimProcessLife, PrintsThePortItWasGiven) {
    int port = 0;
    {
        SimProcess any;
        port = any.port();
        EXPECT_GT(port, 0);
    }
    SimProcess fixed({"--port", std::to_string(port)});
    EXPECT_EQ(fixed.port(), port);
    EXPECT_EQ(HttpGet(fixed.baseUrl() + "/__sim/stats").status, 200);
}

TEST(SimProcessLife, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> cases = {
        {"--pages", "x"},         {"--bogus", "1"},          {"--per-page", "0"},
        {"--port", "70000"},      {"--layouts", "detail=0"}, {"--layouts", "square=1"},
        {"--fault", "kind=nope"}, {"--fault", "param=3"},    {"--seed"},
    };
    for (const std::vector<std::string>& args : cases) {
        EXPECT_THROW(SimProcess sim(args), std::runtime_error) << args[0];
    }
}

}  // namespace
}  // namespace corpgather::test

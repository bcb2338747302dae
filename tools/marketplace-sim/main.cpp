#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "sim_options.h"
#include "sim_server.h"

// Prints the port on the first line of stdout, then serves until SIGINT or SIGTERM.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << marketsim::SimUsage();
        return 0;
    }
    std::string error;
    std::optional<marketsim::SimOptions> options = marketsim::ParseSimOptions(args, error);
    if (!options) {
        std::cerr << "marketplace-sim: " << error << " (--help lists the arguments)\n";
        return 2;
    }

    // The stop signals are taken by sigwait below, so every thread started from here on blocks
    // them; an inherited "ignore" would drop them before sigwait sees them.
    signal(SIGPIPE, SIG_IGN);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    marketsim::SimServer server(std::move(*options));
    const int port = server.bind();
    if (port < 0) {
        std::cerr << "marketplace-sim: cannot bind 127.0.0.1\n";
        return 1;
    }
    std::cout << port << std::endl;

    bool served = true;
    std::thread serving([&] {
        served = server.serve();
        // A server that ends on its own wakes the main thread as a signal would.
        kill(getpid(), SIGTERM);
    });
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    serving.join();
    return served ? 0 : 1;
}

#include "connection_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include <httplib.h>

namespace marketsim {

namespace {

int PortOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    }
    return -1;
}

// Calls visit(socket, peer port) for every connected socket whose local port is localPort.
void ForEachConnection(int localPort, const std::function<bool(int, int)>& visit) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        sockaddr_storage local{};
        sockaddr_storage peer{};
        socklen_t localSize = sizeof local;
        socklen_t peerSize = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0)
            continue;
        if (PortOf(local) != localPort)
            continue;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0)
            continue;
        if (!visit(fd, PortOf(peer)))
            return;
    }
}

}  // namespace

int ConnectionSocket(const httplib::Request& request) {
    int found = -1;
    ForEachConnection(request.local_port, [&](int fd, int peerPort) {
        if (peerPort != request.remote_port)
            return true;
        found = fd;
        return false;
    });
    return found;
}

void AbortConnection(int socket) {
    // A zero linger turns httplib's later close into a reset.
    const linger abortive{1, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    shutdown(socket, SHUT_RDWR);
}

bool PeerGone(int socket) {
    pollfd watch{socket, POLLIN | POLLRDHUP, 0};
    if (poll(&watch, 1, 0) <= 0)
        return false;
    if (watch.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL))
        return true;
    char byte;
    return recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

void ShutdownConnections(int localPort) {
    ForEachConnection(localPort, [](int fd, int) {
        shutdown(fd, SHUT_RDWR);
        return true;
    });
}

}  // namespace marketsim

#pragma once

namespace httplib {
struct Request;
}

namespace marketsim {

// httplib hands a handler no access to its connection, yet reset and hang faults need it. The
// socket is found among the process's descriptors by the request's two port numbers.
// -1 when not found.
int ConnectionSocket(const httplib::Request& request);

// Ends the connection at once, without a response; httplib's own writes then fail quietly.
void AbortConnection(int socket);

// True once the client has closed its side or the connection broke.
bool PeerGone(int socket);

// Shuts down every connection accepted on localPort, so idle keep-alive connections do not hold
// the server's threads when it stops.
void ShutdownConnections(int localPort);

}  // namespace marketsim

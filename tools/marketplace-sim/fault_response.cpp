#include "fault_response.h"

#include <algorithm>
#include <chrono>
#include <string>

#include <httplib.h>

#include "connection_socket.h"
#include "page_writer.h"

namespace marketsim {

namespace {

using std::chrono::milliseconds;

constexpr std::size_t kDripChunk = 1024;
constexpr std::size_t kFillerBlock = 64 * 1024;

milliseconds Millis(double value) {
    return milliseconds(static_cast<long long>(value));
}

void ServeStatus(int status, httplib::Response& response) {
    GbkPageWriter page;
    page.markup("<html><head><title>")
        .markup(std::to_string(status))
        .markup("</title></head><body><h1>服务器繁忙，请稍后再试。</h1></body></html>\n");
    response.status = status;
    response.set_content(page.take(), kPageContentType);
}

// Content-Length says the whole page, half of it is sent, then the connection closes.
void ServeTruncated(std::shared_ptr<const SimPage> page, httplib::Response& response,
                    InFlightToken token) {
    response.status = page->status;
    const std::size_t size = page->body.size();
    response.set_content_provider(size, kPageContentType,
                                  [page, token](std::size_t, std::size_t, httplib::DataSink& sink) {
                                      sink.write(page->body.data(), page->body.size() / 2);
                                      return false;
                                  });
}

void ServeDripping(std::shared_ptr<const SimPage> page, milliseconds gap,
                   httplib::Response& response, StopSignal& stop, InFlightToken token) {
    response.status = page->status;
    response.set_content_provider(
        page->body.size(), kPageContentType,
        [page, gap, &stop, token](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            if (offset > 0 && !stop.sleepFor(gap))
                return false;
            return sink.write(page->body.data() + offset, std::min(length, kDripChunk));
        });
}

// A chunked body with no Content-Length: the page, then filler up to the size.
void ServeOversize(std::shared_ptr<const SimPage> page, std::size_t size,
                   httplib::Response& response, StopSignal& stop, InFlightToken token) {
    response.status = page->status;
    auto filler = std::make_shared<std::string>();
    while (filler->size() < kFillerBlock)
        filler->append("<p class=\"pad\">                </p>\n");
    response.set_chunked_content_provider(
        kPageContentType,
        [page, size, filler, &stop, token](std::size_t offset, httplib::DataSink& sink) {
            if (stop.raised())
                return false;
            if (offset == 0)
                return sink.write(page->body.data(), page->body.size());
            if (offset >= size) {
                sink.done();
                return true;
            }
            return sink.write(filler->data(), std::min(filler->size(), size - offset));
        });
}

// Sends nothing until the time is up; gives up when the client leaves or the server stops.
void ServeHanging(std::shared_ptr<const SimPage> page, milliseconds duration,
                  const httplib::Request& request, httplib::Response& response, StopSignal& stop) {
    const int socket = ConnectionSocket(request);
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline) {
        if (stop.raised() || (socket >= 0 && PeerGone(socket))) {
            if (socket >= 0)
                AbortConnection(socket);
            return;
        }
        stop.sleepFor(milliseconds(50));
    }
    ServePage(*page, response);
}

}  // namespace

void ServePage(const SimPage& page, httplib::Response& response) {
    response.status = page.status;
    response.set_content(page.body, kPageContentType);
}

void ServeWithFault(const FaultAction& action, std::shared_ptr<const SimPage> page,
                    const httplib::Request& request, httplib::Response& response, StopSignal& stop,
                    InFlightToken token) {
    switch (action.kind) {
        case FaultKind::status:
            ServeStatus(static_cast<int>(action.param), response);
            return;
        case FaultKind::reset:
            if (const int socket = ConnectionSocket(request); socket >= 0)
                AbortConnection(socket);
            response.status = 500;
            return;
        case FaultKind::truncate:
            ServeTruncated(std::move(page), response, std::move(token));
            return;
        case FaultKind::drip:
            ServeDripping(std::move(page), Millis(action.param), response, stop, std::move(token));
            return;
        case FaultKind::hang:
            ServeHanging(std::move(page), Millis(action.param * 1000), request, response, stop);
            return;
        case FaultKind::oversize:
            ServeOversize(std::move(page), static_cast<std::size_t>(action.param * 1024 * 1024),
                          response, stop, std::move(token));
            return;
        case FaultKind::latency:
        case FaultKind::badGbk:
        case FaultKind::nul:
            break;
    }
    ServePage(*page, response);
}

}  // namespace marketsim

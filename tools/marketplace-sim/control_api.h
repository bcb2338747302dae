#pragma once

#include <atomic>

#include "company_catalog.h"
#include "fault_rules.h"
#include "request_log.h"

namespace httplib {
struct Request;
struct Response;
}  // namespace httplib

namespace marketsim {

// The /__sim/ endpoints, answered on any host with JSON:
//   fault?kind=&param=&match=&times=&rate=   adds a fault rule
//   reset                                     drops the added rules and the request log
//   requests                                  the request log
//   company/<memberId>                        the generated facts of one company, and the
//                                             values a run stores from its pages ("stored")
//   companies?page=N                          the companies of result page N, in listing order
//   stats                                     {"requests":N,"active":K}
class ControlApi final {
public:
    ControlApi(const CompanyCatalog& catalog, FaultBook& faults, RequestLog& log,
               const std::atomic<long long>& active);

    void handle(const httplib::Request& request, httplib::Response& response);

private:
    const CompanyCatalog& catalog_;
    FaultBook& faults_;
    RequestLog& log_;
    const std::atomic<long long>& active_;
};

// The JSON form of one company, as the company endpoints give it.
std::string CompanyJson(const Company& company);

}  // namespace marketsim

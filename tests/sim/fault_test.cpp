// Fault rules of marketplace-sim: the effect of each kind as a client sees it, and how rules
// choose the requests they spoil.
#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QJsonDocument>
#include <QJsonObject>

#include <curl/curl.h>
#include <gtest/gtest.h>

#include "support/sim_process.h"
#include "support/test_support.h"

namespace corpgather::test {
namespace {

using std::chrono::milliseconds;

constexpr std::size_t kMiB = 1024 * 1024;
const std::string kListing = "/company/company_search.htm?keywords=abc&beginPage=1&n=y";

long AddFault(const SimProcess& sim, const std::string& query) {
    return HttpGet(sim.baseUrl() + "/__sim/fault?" + query).status;
}

long long Active(const SimProcess& sim) {
    const std::string body = HttpGet(sim.baseUrl() + "/__sim/stats").body;
    return QJsonDocument::fromJson(QByteArray::fromStdString(body)).object()["active"].toInteger();
}

struct KindCase {
    std::string name;
    std::string query;
    std::function<void(const HttpResult& result, const std::string& clean)> check;
    milliseconds timeout = std::chrono::seconds(30);
};

TEST(SimFaults, EachKindHasItsEffectOnTheNextRequestOnly) {
    const std::vector<KindCase> cases = {
        {"status", "kind=status&param=503",
         [](const HttpResult& r, const std::string&) { EXPECT_EQ(r.status, 503); }},
        {"status default", "kind=status",
         [](const HttpResult& r, const std::string&) { EXPECT_EQ(r.status, 500); }},
        {"reset", "kind=reset",
         [](const HttpResult& r, const std::string&) {
             EXPECT_TRUE(r.curlCode == CURLE_GOT_NOTHING || r.curlCode == CURLE_RECV_ERROR)
                 << r.error;
             EXPECT_EQ(r.status, 0);
         }},
        {"truncate", "kind=truncate",
         [](const HttpResult& r, const std::string& clean) {
             EXPECT_EQ(r.curlCode, CURLE_PARTIAL_FILE) << r.error;
             EXPECT_LT(r.body.size(), clean.size());
             EXPECT_EQ(clean.compare(0, r.body.size(), r.body), 0);
         }},
        {"oversize default", "kind=oversize",
         [](const HttpResult& r, const std::string& clean) {
             EXPECT_EQ(r.curlCode, CURLE_OK) << r.error;
             EXPECT_GT(r.body.size(), 16 * kMiB);
             EXPECT_EQ(r.body.compare(0, clean.size(), clean), 0);
         }},
        {"oversize 1 MiB", "kind=oversize&param=1",
         [](const HttpResult& r, const std::string&) { EXPECT_EQ(r.body.size(), kMiB); }},
        {"drip", "kind=drip&param=2",
         [](const HttpResult& r, const std::string& clean) { EXPECT_EQ(r.body, clean); }},
        {"latency", "kind=latency&param=20",
         [](const HttpResult& r, const std::string& clean) { EXPECT_EQ(r.body, clean); }},
        {"hang", "kind=hang",
         [](const HttpResult& r, const std::string&) {
             EXPECT_EQ(r.curlCode, CURLE_OPERATION_TIMEDOUT) << r.error;
         },
         milliseconds(300)},
    };
    SimProcess sim({"--pages", "2"});
    const std::string clean = HttpGet(sim.baseUrl() + kListing).body;
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(AddFault(sim, c.query + "&times=1"), 200);
        c.check(HttpGet(sim.baseUrl() + kListing, {}, c.timeout), clean);
        // A hanging request ends on the server too once its client has given up.
        EXPECT_TRUE(waitFor([&] { return Active(sim) == 0; }));
        EXPECT_EQ(HttpGet(sim.baseUrl() + kListing).body, clean) << "times=1 spoils one request";
    }
}

TEST(SimFaults, RulesPickRequestsByMatchAndTimes) {
    SimProcess sim({"--pages", "12", "--layouts", "titlebar=1", "--fault",
                    "kind=status,param=502,match=beginPage=3&,times=2", "--fault",
                    "kind=status,param=503,match=/keep"});
    const std::string shop = sim.url("m1x1.shop.localhost", "");
    ASSERT_EQ(AddFault(sim, "kind=status&param=410&match=/athena/contact/"), 200);
    ASSERT_EQ(AddFault(sim, "kind=latency&param=10&match=beginPage=5"), 200);
    ASSERT_EQ(AddFault(sim, "kind=status&param=504&match=beginPage=5"), 200);
    const struct {
        std::string url;
        long status;
    } steps[] = {
        {sim.baseUrl() + "/s?beginPage=3&n=y", 502},
        {sim.baseUrl() + "/s?beginPage=4&n=y", 200},
        {sim.baseUrl() + "/s?beginPage=3&n=y", 502},
        {sim.baseUrl() + "/s?beginPage=3&n=y", 200},  // its two times are used up
        {shop + "/athena/contact/m1x1.html", 410},
        {sim.baseUrl() + "/athena/contact/x.html", 410},
        {shop + "/athena/companyprofile/m1x1.html", 200},
        {sim.baseUrl() + "/s?beginPage=5&n=y", 504},  // a latency rule does not hide the next
        {sim.baseUrl() + "/keep?beginPage=1", 503},
        {sim.baseUrl() + "/__sim/reset", 200},
        {shop + "/athena/contact/m1x1.html", 200},   // the added rule is gone
        {sim.baseUrl() + "/keep?beginPage=1", 503},  // the command-line rule stays
    };
    for (const auto& step : steps)
        EXPECT_EQ(HttpGet(step.url).status, step.status) << step.url;
}

TEST(SimFaults, RateSpoilsAShareThatTheSeedRepeats) {
    const auto pattern = [](const std::string& seed, const std::string& rate) {
        SimProcess sim({"--seed", seed, "--fault", "kind=status,param=503,rate=" + rate});
        std::string marks;
        for (int i = 0; i < 60; ++i)
            marks += HttpGet(sim.baseUrl() + kListing).status == 503 ? 'x' : '.';
        return marks;
    };
    const std::string first = pattern("1", "0.5");
    const auto spoiled = std::count(first.begin(), first.end(), 'x');
    EXPECT_GT(spoiled, 10);
    EXPECT_LT(spoiled, 50);
    EXPECT_EQ(pattern("1", "0.5"), first);
    EXPECT_NE(pattern("2", "0.5"), first);
    EXPECT_EQ(pattern("1", "0"), std::string(60, '.'));
}

TEST(SimFaults, MalformedRulesAreRefused) {
    SimProcess sim;
    for (const char* query : {"kind=explode", "param=5", "kind=status&rate=2", "kind=drip&param=x",
                              "kind=status&colour=red"}) {
        EXPECT_EQ(AddFault(sim, query), 400) << query;
    }
    EXPECT_EQ(HttpGet(sim.baseUrl() + kListing).status, 200);
}

}  // namespace
}  // namespace corpgather::test

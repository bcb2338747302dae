#include <future>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run/web_client.h"
#include "support/sim_process.h"
#include "support/test_support.h"

namespace corpgather::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class WebClientTest : public ::testing::Test {
protected:
    WebClientTest() : sim_({"--pages", "2"}) {}

    std::string listing(int page) const {
        return sim_.baseUrl() + "/company/company_search.htm?keywords=abc&beginPage=" +
               std::to_string(page) + "&n=y";
    }
    void fault(const std::string& query) { HttpGet(sim_.baseUrl() + "/__sim/fault?" + query); }
    QJsonArray requests() {
        return QJsonDocument::fromJson(QByteArray::fromStdString(HttpGet(sim_.baseUrl() + "/__sim/requests").body))
            .array();
    }

    SimProcess sim_;
    WebClient client_;
};

TEST_F(WebClientTest, FetchesAPageWithOneReusedClient) {
    for (int round = 0; round < 3; ++round) {
        const FetchResult result = client_.get(listing(1));
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.status, 200);
        EXPECT_THAT(result.body, HasSubstr("route_total"));
    }
}

TEST_F(WebClientTest, FailuresAreReportedWithAReason) {
    struct Case {
        const char* fault;
        const char* reason;
    };
    const Case cases[] = {
        {"kind=status&param=404", "404"},
        {"kind=status&param=503", "503"},
        {"kind=reset", ""},
        {"kind=truncate", ""},
        {"kind=oversize", "16 MiB"},
    };
    for (const Case& c : cases) {
        fault(c.fault);
        const FetchResult result = client_.get(listing(1));
        EXPECT_FALSE(result.ok) << c.fault;
        EXPECT_FALSE(result.aborted) << c.fault;
        EXPECT_THAT(result.error, Not(IsEmpty())) << c.fault;
        EXPECT_THAT(result.error, HasSubstr(c.reason)) << c.fault;
        EXPECT_TRUE(result.body.empty()) << c.fault;
        HttpGet(sim_.baseUrl() + "/__sim/reset");
        EXPECT_TRUE(client_.get(listing(1)).ok) << "client unusable after " << c.fault;
    }
}

TEST_F(WebClientTest, ReadTimeOutCountsSilenceNotSlowness) {
    client_.setReadTimeout(std::chrono::seconds(1));
    fault("kind=drip&param=300&times=1");  // data keeps coming, slowly
    EXPECT_TRUE(client_.get(listing(1)).ok);
    fault("kind=hang&param=30&times=1");
    const FetchResult hung = client_.get(listing(1));
    EXPECT_FALSE(hung.ok);
    EXPECT_THAT(hung.error, HasSubstr("timed out"));
}

TEST_F(WebClientTest, AbortEndsAFetchInFlightAndEveryLaterOne) {
    fault("kind=hang");
    auto pending = std::async(std::launch::async, [&] { return client_.get(listing(1)); });
    ASSERT_TRUE(waitFor([&] { return requests().size() >= 1; }));
    client_.abort();
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(pending.get().aborted);
    EXPECT_TRUE(client_.get(listing(2)).aborted);
}

TEST_F(WebClientTest, ProfileHeadersStayForEveryLaterRequest) {
    client_.get(listing(1));
    client_.useProfileHeaders();
    client_.get(listing(1));
    client_.get(listing(2));
    const QJsonArray log = requests();
    ASSERT_EQ(log.size(), 3);
    const QJsonObject first = log[0].toObject()["headers"].toObject();
    EXPECT_FALSE(first.contains("Accept-Charset"));
    for (int i = 1; i < 3; ++i) {
        const QJsonObject headers = log[i].toObject()["headers"].toObject();
        EXPECT_EQ(headers["Accept-Charset"].toString(), "GBK");
        EXPECT_EQ(headers["Content-Type"].toString(), "application/x-www-form-urlencoded");
        EXPECT_THAT(headers["User-Agent"].toString().toStdString(), HasSubstr("Firefox/3.6.13"));
    }
}

}  // namespace
}  // namespace corpgather::test

// Which host and path serve which page, the control endpoints, and clients that keep their
// connection or come several at once.
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "support/sim_json.h"
#include "support/sim_process.h"

namespace corpgather::test {
namespace {

QJsonDocument Json(const HttpResult& result) {
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.body), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << result.body;
    return document;
}

TEST(SimRouting, CompanyPagesLiveWhereTheLayoutPutsThem) {
    SimProcess sim(
        {"--pages", "2", "--layouts", "detail=1,titlebar=1,heading=1,site=1,unknown=1,caseshop=1"});
    const std::string port = ":" + std::to_string(sim.port());
    // Which of the two page forms each layout has.
    const std::map<std::string, std::pair<bool, bool>> forms = {
        {"detail", {true, false}}, {"titlebar", {false, true}}, {"heading", {false, true}},
        {"site", {false, true}},   {"caseshop", {false, true}}, {"unknown", {false, false}},
    };
    for (int page = 1; page <= 2; ++page) {
        for (const QJsonValue& value :
             Json(HttpGet(sim.baseUrl() + "/__sim/companies?page=" + std::to_string(page)))
                 .array()) {
            const QJsonObject company = value.toObject();
            const std::string m = Str(company["memberId"]);
            const auto [detail, shop] = forms.at(Str(company["layout"]));
            SCOPED_TRACE(m + " " + Str(company["layout"]));
            const std::string market = "http://127.0.0.1" + port;
            const std::string shopHost = "http://" + m + ".shop.localhost" + port;
            const std::vector<std::pair<std::string, bool>> pages = {
                {market + "/company/detail/contact/" + m + ".html", detail},
                {market + "/company/detail/intro/" + m + ".html", detail},
                {shopHost + "/athena/contact/" + m + ".html", shop},
                {shopHost + "/athena/companyprofile/" + m + ".html", shop},
                {Str(company["sourceUrl"]), true},
            };
            for (const auto& [url, served] : pages) {
                const HttpResult result = HttpGet(url);
                ASSERT_EQ(result.status, served ? 200 : 404) << url;
                EXPECT_EQ(result.contentType, "text/html; charset=GBK");
                const std::optional<std::string> text = DecodeGbk(result.body);
                ASSERT_TRUE(text.has_value()) << url;
                if (served) {
                    EXPECT_NE(text->find(Str(company["name"])), std::string::npos) << url;
                }
            }
            if (detail || shop) {
                EXPECT_EQ(Str(company["contactPageUrl"]), pages[detail ? 0 : 2].first);
                EXPECT_EQ(Str(company["profilePageUrl"]), pages[detail ? 1 : 3].first);
            }
        }
    }
}

TEST(SimRouting, HostIsMatchedWithoutItsPortAndCase) {
    SimProcess sim({"--pages", "2", "--layouts", "titlebar=1"});
    const std::string port = std::to_string(sim.port());
    const std::string path = "/athena/contact/m1x1.html";
    const struct {
        std::string host;
        std::string path;
        long status;
    } cases[] = {
        {"m1x1.shop.localhost:" + port, path, 200},
        {"M1X1.SHOP.LocalHost:" + port, path, 200},
        {"m1x1.shop.localhost", path, 200},
        {"m1x2.shop.localhost:" + port, path, 404},
        {"m1x1.shop.localhost.example:" + port, path, 404},
        {"company.localhost:" + port, path, 404},
        {"m1x41.shop.localhost:" + port, "/athena/contact/m1x41.html", 404},
        {"m2x1.shop.localhost:" + port, "/athena/contact/m2x1.html", 404},
        {"m1x01.shop.localhost:" + port, "/athena/contact/m1x01.html", 404},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HttpGet(sim.baseUrl() + c.path, {"Host: " + c.host}).status, c.status) << c.host;
    }
    EXPECT_EQ(HttpGet(sim.url("m1x1.shop.localhost", path)).status, 200) << "resolved by name";
}

TEST(SimControl, RequestLogRecordsMarketplaceRequestsWithTheirHeaders) {
    SimProcess sim;
    HttpGet(sim.baseUrl() + "/x?beginPage=1",
            {"User-Agent: CorpGather-Test", "Accept-Charset: GBK", "X-Raw: \xFF\xFEok"});
    HttpGet(sim.url("m1x1.shop.localhost", "/nothing-here"));
    HttpGet(sim.baseUrl() + "/__sim/stats");

    const QJsonArray log = Json(HttpGet(sim.baseUrl() + "/__sim/requests")).array();
    ASSERT_EQ(log.size(), 2) << "control requests stay out of the log";
    const QJsonObject first = log[0].toObject();
    EXPECT_EQ(Str(first["host"]), "127.0.0.1:" + std::to_string(sim.port()));
    EXPECT_EQ(Str(first["target"]), "/x?beginPage=1");
    const QJsonObject headers = first["headers"].toObject();
    EXPECT_EQ(Str(headers["User-Agent"]), "CorpGather-Test");
    EXPECT_EQ(Str(headers["Accept-Charset"]), "GBK");
    EXPECT_EQ(headers["X-Raw"].toString(), QString::fromLatin1("\xFF\xFEok"));
    EXPECT_FALSE(headers.contains("REMOTE_ADDR"));
    EXPECT_EQ(Str(log[1].toObject()["host"]), "m1x1.shop.localhost:" + std::to_string(sim.port()));
    EXPECT_EQ(Json(HttpGet(sim.baseUrl() + "/__sim/stats")).object()["requests"].toInt(), 2);

    ASSERT_EQ(HttpGet(sim.baseUrl() + "/__sim/reset").status, 200);
    EXPECT_TRUE(Json(HttpGet(sim.baseUrl() + "/__sim/requests")).array().isEmpty());
    EXPECT_EQ(Json(HttpGet(sim.baseUrl() + "/__sim/stats")).object()["requests"].toInt(), 0);
}

TEST(SimControl, CompanyDumpHoldsTheListingValuesAndEveryFact) {
    SimProcess sim({"--seed", "4"});
    const HttpResult result = HttpGet(sim.baseUrl() + "/__sim/company/m4x25");
    ASSERT_EQ(result.status, 200);
    const QJsonObject company = Json(result).object();
    EXPECT_EQ(Str(company["memberId"]), "m4x25");
    EXPECT_EQ(company["page"].toInt(), 2);
    EXPECT_EQ(Json(HttpGet(sim.baseUrl() + "/__sim/companies?page=2")).array()[4].toObject(),
              company);
    const QJsonObject facts = company["facts"].toObject();
    for (const char* column :
         {"联系人",       "称呼",        "职位",     "电话",     "移动电话", "传真",     "邮编",
          "公司网站",     "地址",        "省份",     "城市",     "公司介绍", "主营产品", "主营行业",
          "企业类型",     "经营模式",    "注册资本", "注册地址", "员工人数", "成立时间", "法人代表",
          "管理体系认证", "是否提供OEM", "研发人数", "厂房面积", "注册信息"}) {
        EXPECT_TRUE(facts.contains(QString::fromUtf8(column))) << column;
    }
    const QString salutation = facts[QString::fromUtf8("称呼")].toString();
    EXPECT_TRUE(salutation == QString::fromUtf8("先生") || salutation == QString::fromUtf8("女士"));
    EXPECT_FALSE(facts[QString::fromUtf8("联系人")].toString().isEmpty());
    EXPECT_EQ(facts[QString::fromUtf8("邮编")].toString().size(), 6);

    EXPECT_EQ(HttpGet(sim.baseUrl() + "/__sim/company/m4x201").status, 404);
    EXPECT_EQ(HttpGet(sim.baseUrl() + "/__sim/company/m1x1").status, 404);
    EXPECT_EQ(HttpGet(sim.baseUrl() + "/__sim/companies?page=x").status, 400);
    EXPECT_TRUE(Json(HttpGet(sim.baseUrl() + "/__sim/companies?page=11")).array().isEmpty());
}

std::vector<std::string> MarketUrls(const SimProcess& sim, int count) {
    std::vector<std::string> urls;
    for (int i = 1; i <= count; ++i) {
        urls.push_back(sim.baseUrl() + "/s?beginPage=" + std::to_string(i % 12) + "&n=y");
        urls.push_back(sim.baseUrl() + "/company/detail/intro/m1x" + std::to_string(i) + ".html");
    }
    return urls;
}

TEST(SimServing, KeepAliveClientIsServedOnOneConnection) {
    SimProcess sim({"--layouts", "detail=1"});
    const std::vector<std::string> urls = MarketUrls(sim, 150);
    HttpSession session;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        const HttpResult result = session.get(urls[i]);
        ASSERT_EQ(result.status, 200) << urls[i] << " " << result.error;
        EXPECT_EQ(result.newConnections, i == 0 ? 1 : 0) << "request " << i;
    }
}

TEST(SimServing, ConcurrentClientsEachGetTheirPages) {
    SimProcess sim({"--layouts", "detail=1"});
    const std::vector<std::string> urls = MarketUrls(sim, 40);
    std::map<std::string, std::string> expected;
    for (const std::string& url : urls)
        expected[url] = HttpGet(url).body;

    constexpr int kClients = 6;
    std::vector<int> mismatches(kClients, 0);
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client) {
        clients.emplace_back([&, client] {
            HttpSession session;
            for (std::size_t i = 0; i < urls.size(); ++i) {
                const std::string& url = urls[(i + client * 7) % urls.size()];
                const HttpResult result = session.get(url);
                mismatches[client] += result.status != 200 || result.body != expected.at(url);
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(mismatches, std::vector<int>(kClients, 0));
}

}  // namespace
}  // namespace corpgather::test

// Company pages fetched from the simulator: which pages each layout leads to, with which request
// headers, what a failed page leaves, and that every stored record holds what the simulator
// generated.
#include "run/company_pages.h"

#include <algorithm>
#include <set>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/database.h"
#include "support/run_fixture.h"

namespace corpgather::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const std::vector<std::string> kEveryLayout = {
    "--layouts", "detail=1,titlebar=1,heading=1,site=1,unknown=1,caseshop=1,othershop=1"};

QJsonValue json(const std::string& text) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text));
    return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
}

std::string str(const QJsonValue& value) {
    return value.toString().toStdString();
}

// The record a run stores for a company: its listing values and the page values the
// simulator says its layout carries; the save step's columns are left out.
CompanyRecord expectedRecord(const QJsonObject& company) {
    CompanyRecord record;
    const QJsonObject stored = company["stored"].toObject();
    for (size_t i = 0; i < kCompanyColumnCount; ++i)
        record.values[i] = str(stored[QString::fromUtf8(CompanyColumnName(i).data())]);
    record[CompanyColumn::MemberId] = str(company["memberId"]);
    record[CompanyColumn::CompanyName] = str(company["name"]);
    record[CompanyColumn::SourceUrl] = str(company["sourceUrl"]);
    return record;
}

void expectSameValues(const CompanyRecord& actual, const CompanyRecord& expected) {
    for (size_t i = 0; i < kCompanyColumnCount; ++i)
        EXPECT_EQ(actual.values[i], expected.values[i]) << CompanyColumnName(i);
}

struct Request {
    std::string address;  // host without the port, and target
    bool profileHeaders;
};

std::vector<Request> requests(SimProcess& sim) {
    std::vector<Request> seen;
    const std::string port = ":" + std::to_string(sim.port());
    for (const QJsonValue& value :
         json(HttpGet(sim.baseUrl() + "/__sim/requests").body).toArray()) {
        const QJsonObject request = value.toObject();
        std::string host = str(request["host"]);
        host.erase(host.find(port));
        const QJsonObject headers = request["headers"].toObject();
        seen.push_back(
            {host + str(request["target"]),
             str(headers["Accept-Charset"]) == "GBK" &&
                 str(headers["User-Agent"]).find("Firefox/3.6.13") != std::string::npos});
    }
    return seen;
}

std::vector<std::string> addresses(const std::vector<Request>& seen) {
    std::vector<std::string> out;
    for (const Request& request : seen)
        out.push_back(request.address);
    return out;
}

class CompanyPagesTest : public ::testing::Test {
protected:
    CompanyPagesTest() : sim_(arguments()) {
        const std::string port = ":" + std::to_string(sim_.port());
        hosts_ = {"127.0.0.1" + port, ".shop.localhost" + port, "company.localhost" + port,
                  "member.localhost" + port};
    }

    static std::vector<std::string> arguments() {
        std::vector<std::string> args = {"--pages", "2", "--per-page", "21"};
        args.insert(args.end(), kEveryLayout.begin(), kEveryLayout.end());
        return args;
    }

    std::vector<QJsonObject> companies(const std::string& layout = "") {
        std::vector<QJsonObject> found;
        for (int page = 1; page <= 2; ++page) {
            const std::string list =
                HttpGet(sim_.baseUrl() + "/__sim/companies?page=" + std::to_string(page)).body;
            for (const QJsonValue& value : json(list).toArray()) {
                if (layout.empty() || str(value.toObject()["layout"]) == layout)
                    found.push_back(value.toObject());
            }
        }
        return found;
    }

    // Collects one company with a fresh client, as the first company of a run, after the
    // simulator forgot earlier requests and took the fault rule given.
    CompanyRecord collect(const QJsonObject& company, const std::string& fault = "") {
        HttpGet(sim_.baseUrl() + "/__sim/reset");
        if (!fault.empty())
            HttpGet(sim_.baseUrl() + "/__sim/fault?" + fault);
        CompanyRecord record;
        record[CompanyColumn::MemberId] = str(company["memberId"]);
        record[CompanyColumn::CompanyName] = str(company["name"]);
        record[CompanyColumn::SourceUrl] = str(company["sourceUrl"]);
        WebClient client;
        CollectCompanyPages(record, client, hosts_);
        return record;
    }

    TempHome home_;
    SimProcess sim_;
    MarketplaceHosts hosts_;
};

TEST_F(CompanyPagesTest, EachLayoutFetchesItsOwnPagesOnceAndStoresWhatTheyCarry) {
    std::set<std::string> layouts;
    for (const QJsonObject& company : companies()) {
        const std::string m = str(company["memberId"]);
        const std::string layout = str(company["layout"]);
        SCOPED_TRACE(m + " " + layout + " " + str(company["contactVariant"]));
        layouts.insert(layout);
        const CompanyRecord record = collect(company);
        expectSameValues(record, expectedRecord(company));

        const std::string market = "127.0.0.1/company/detail/";
        const std::string shop = m + ".shop.localhost/athena/";
        std::vector<std::string> pages;
        if (layout == "detail")
            pages = {market + "contact/" + m + ".html", market + "intro/" + m + ".html"};
        else if (layout == "titlebar" || layout == "heading" || layout == "site")
            pages = {shop + "contact/" + m + ".html", shop + "companyprofile/" + m + ".html"};
        else if (layout == "othershop")
            pages = {shop + "contact/" + m + ".html"};
        const std::vector<Request> seen = requests(sim_);
        EXPECT_THAT(addresses(seen), ElementsAreArray(pages));
        // The profile headers go on just before the profile request.
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i].profileHeaders, i == 1) << seen[i].address;
    }
    EXPECT_EQ(layouts.size(), 7u) << "42 companies show every layout";
}

TEST_F(CompanyPagesTest, FailedContactPageLeavesItsValuesEmpty) {
    const struct {
        std::string layout;
        size_t requests;  // a shop without its contact page cannot tell its variant
    } cases[] = {{"detail", 2}, {"titlebar", 1}, {"heading", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        const QJsonObject company = companies(c.layout).at(0);
        const CompanyRecord record = collect(company, "kind=status&param=503&match=contact/");
        EXPECT_EQ(requests(sim_).size(), c.requests);
        CompanyRecord expected = expectedRecord(company);
        for (size_t i = static_cast<size_t>(CompanyColumn::Contact); i < kCompanyColumnCount; ++i) {
            const auto column = static_cast<CompanyColumn>(i);
            if (c.requests == 1 || column < CompanyColumn::Introduction)
                expected[column].clear();
        }
        expectSameValues(record, expected);
    }
    EXPECT_THAT(home_.readFile("Log.txt"), HasSubstr("503"));
}

TEST_F(CompanyPagesTest, InvalidGbkInAPageReachesTheRecordAsReplacementCharacters) {
    const QJsonObject company = companies("heading").at(0);
    const CompanyRecord record = collect(company, "kind=badgbk&match=companyprofile/");
    const std::string introduction = str(company["stored"].toObject()["公司介绍"]);
    EXPECT_THAT(record[CompanyColumn::Introduction], HasSubstr("\xEF\xBF\xBD"));
    EXPECT_NE(record[CompanyColumn::Introduction], introduction);
    EXPECT_EQ(record[CompanyColumn::Contact], str(company["stored"].toObject()["联系人"]));
}

// A task over every layout, collected by a run and read back from the database.
TEST(CompanyRecords, EveryStoredRecordHoldsWhatTheSimulatorGenerated) {
    std::vector<std::string> args = {"--pages", "3", "--per-page", "14"};
    args.insert(args.end(), kEveryLayout.begin(), kEveryLayout.end());
    SimulatedMarket market(args);
    RecordingObserver observer;
    const int id = market.addTask(market.listingUrl(1), 3, "阿里巴巴");
    ASSERT_EQ(market.runToEnd(id, observer), RunOutcome::Finished);

    Query row;
    ASSERT_TRUE(OpenSQL(
        row, "SELECT * FROM Company WHERE SearchID=" + std::to_string(id) + " ORDER BY ID"));
    size_t rows = 0;
    for (; !row.eof(); row.next(), ++rows) {
        const std::string m = row.fieldText("会员帐号");
        SCOPED_TRACE(m);
        const HttpResult dump = HttpGet(market.sim().baseUrl() + "/__sim/company/" + m);
        ASSERT_EQ(dump.status, 200);
        CompanyRecord stored;
        for (size_t i = 0; i < kCompanyColumnCount; ++i)
            stored.values[i] = row.fieldText(std::string(CompanyColumnName(i)));
        CompanyRecord expected = expectedRecord(json(dump.body).toObject());
        expected[CompanyColumn::SearchTime] = stored[CompanyColumn::SearchTime];
        expected[CompanyColumn::SearchSource] = "阿里巴巴";
        expectSameValues(stored, expected);
        EXPECT_THAT(stored[CompanyColumn::SearchTime], Not(IsEmpty()));
    }
    EXPECT_EQ(rows, 42u);

    // Before the first profile request the run sends the client's own headers, from it on
    // the profile headers, listing pages included.
    const std::vector<Request> seen = requests(market.sim());
    const auto firstProfile = std::find_if(seen.begin(), seen.end(), [](const Request& r) {
        return r.address.find("/intro/") != std::string::npos ||
               r.address.find("/companyprofile/") != std::string::npos;
    });
    ASSERT_NE(firstProfile, seen.end());
    for (auto request = seen.begin(); request != seen.end(); ++request)
        EXPECT_EQ(request->profileHeaders, request >= firstProfile) << request->address;
    EXPECT_GT(std::count_if(firstProfile, seen.end(),
                            [](const Request& r) {
                                return r.address.find("beginPage=") != std::string::npos;
                            }),
              0);
}

}  // namespace
}  // namespace corpgather::test

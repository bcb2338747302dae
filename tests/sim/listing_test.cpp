// Result listing pages of marketplace-sim: cut by the engine's markers they must give exactly the
// companies the simulator reports, and they must be reproducible from the seed.
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "support/sim_json.h"
#include "support/sim_process.h"

namespace corpgather::test {
namespace {

const std::string kEntryMark = "<li class=\"offer paGetId\" id=\"offer";
const std::string kInquiryMark =
    EncodeGbk("<a href=\"#nogo\" title=\"将您的询价单发送给该供应商\" memberid=\"");

struct Entry {
    std::string memberId;
    std::string name;  // GBK, as cut
    std::string sourceUrl;
};

std::string Between(const std::string& text, const std::string& start, const std::string& end) {
    const std::size_t from = text.find(start);
    if (from == std::string::npos)
        return {};
    const std::size_t to = text.find(end, from + start.size());
    if (to == std::string::npos)
        return {};
    return text.substr(from + start.size(), to - from - start.size());
}

// The engine's walk over a listing: each entry runs from EntryMark through the first
// InquiryMark and one byte more; the next search starts one byte into that InquiryMark.
std::vector<Entry> CutEntries(std::string list) {
    std::vector<Entry> entries;
    for (std::size_t at = list.find(kEntryMark); at != std::string::npos;
         at = list.find(kEntryMark)) {
        list.erase(0, at);
        const std::size_t inquiry = list.find(kInquiryMark);
        if (inquiry == std::string::npos)
            break;
        const std::string entry = list.substr(0, inquiry + kInquiryMark.size() + 1);
        list.erase(0, inquiry + 1);
        entries.push_back({Between(entry, "companyId=\"", "\""),
                           Between(entry, "\" target=\"_blank\" title=\"", "\" offer-stat=\"com\""),
                           Between(entry, "<a class=\"Title\" gotoDetail=\"2\" href=\"",
                                   "\" target=\"_blank\"")});
    }
    return entries;
}

std::string ListingUrl(const SimProcess& sim, int page) {
    return sim.baseUrl() +
           "/company/company_search.htm?keywords=abc&beginPage=" + std::to_string(page) + "&n=y";
}

const std::vector<std::string> kAllLayouts = {
    "--layouts", "detail=1,titlebar=1,heading=1,site=1,unknown=1,caseshop=1"};

TEST(ListingPage, EntriesCutByTheMarkersAreTheReportedCompanies) {
    std::vector<std::string> args = {"--seed", "3", "--pages", "3", "--per-page", "7"};
    args.insert(args.end(), kAllLayouts.begin(), kAllLayouts.end());
    SimProcess sim(args);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        const HttpResult listing = HttpGet(ListingUrl(sim, page));
        ASSERT_EQ(listing.status, 200);
        EXPECT_EQ(listing.contentType, "text/html; charset=GBK");
        EXPECT_TRUE(DecodeGbk(listing.body).has_value()) << "a clean page is valid GBK";

        const std::vector<Entry> entries = CutEntries(listing.body);
        const QJsonArray companies = SimCompanies(sim, page);
        ASSERT_EQ(entries.size(), 7u);
        ASSERT_EQ(companies.size(), 7);
        for (int j = 0; j < 7; ++j) {
            const QJsonObject company = companies[j].toObject();
            const int index = (page - 1) * 7 + j + 1;
            EXPECT_EQ(entries[j].memberId, "m3x" + std::to_string(index));
            EXPECT_EQ(entries[j].memberId, Str(company["memberId"]));
            EXPECT_EQ(DecodeGbk(entries[j].name), Str(company["name"]));
            EXPECT_EQ(entries[j].sourceUrl, Str(company["sourceUrl"]));
            EXPECT_EQ(entries[j].name.find('"'), std::string::npos);
            EXPECT_FALSE(entries[j].name.empty());
        }
    }
}

TEST(ListingPage, CountMarkersOnEveryPageEntriesOnlyOnListedOnes) {
    SimProcess sim({"--pages", "3", "--per-page", "5", "--total", "12345"});
    const struct {
        int page;
        std::size_t entries;
    } cases[] = {{1, 5}, {3, 5}, {4, 0}, {250, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page));
        const HttpResult listing = HttpGet(ListingUrl(sim, c.page));
        ASSERT_EQ(listing.status, 200);
        EXPECT_EQ(Between(listing.body, "<em id=\"route_total\">", "</em>"), "12345");
        EXPECT_EQ(Between(listing.body, EncodeGbk("共<b>"), "</b>"), "3");
        EXPECT_EQ(CutEntries(listing.body).size(), c.entries);
        if (c.entries == 0) {
            EXPECT_EQ(listing.body.find(kEntryMark), std::string::npos);
        }
    }
}

TEST(ListingPage, SameSeedGivesTheSameBytesAnotherSeedOthers) {
    const std::vector<std::string> urls = {"/x?beginPage=1", "/x?beginPage=2",
                                           "/__sim/companies?page=2"};
    const auto fetchAll = [&](const std::string& seed, int port) {
        SimProcess sim({"--seed", seed, "--pages", "2", "--layouts", "titlebar=1,heading=1",
                        "--port", std::to_string(port)});
        std::vector<std::string> bodies;
        for (const std::string& url : urls)
            bodies.push_back(HttpGet(sim.baseUrl() + url).body);
        bodies.push_back(HttpGet(sim.url("m" + seed + "x3.shop.localhost",
                                         "/athena/companyprofile/m" + seed + "x3.html"))
                             .body);
        return std::make_pair(sim.port(), bodies);
    };
    // Addresses in the pages carry the port, so every run uses the port of the first.
    const auto [port, first] = fetchAll("11", 0);
    EXPECT_EQ(fetchAll("11", port).second, first);
    const std::vector<std::string> other = fetchAll("12", port).second;
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_NE(other[i], first[i]) << i;
}

TEST(ListingPage, SourceAddressTakesTheFormOfTheLayout) {
    const struct {
        std::vector<std::string> hostArgs;
        std::string market, shopSuffix, companySite;
    } configs[] = {
        {{}, "127.0.0.1", ".shop.localhost", "company.localhost"},
        {{"--market-host", "localhost", "--shop-suffix", ".stores.localhost", "--company-site-host",
          "site.localhost"},
         "localhost",
         ".stores.localhost",
         "site.localhost"},
    };
    for (const auto& config : configs) {
        SCOPED_TRACE(config.market);
        std::vector<std::string> args = {"--pages", "4", "--per-page", "20"};
        args.insert(args.end(), kAllLayouts.begin(), kAllLayouts.end());
        args.insert(args.end(), config.hostArgs.begin(), config.hostArgs.end());
        SimProcess sim(args);
        const std::string port = ":" + std::to_string(sim.port());
        std::set<std::string> seen;
        for (int page = 1; page <= 4; ++page) {
            for (const QJsonValue& value : SimCompanies(sim, page)) {
                const QJsonObject company = value.toObject();
                const std::string m = Str(company["memberId"]);
                std::string upper = m;
                for (char& c : upper)
                    c = static_cast<char>(std::toupper(c));
                const std::string layout = Str(company["layout"]);
                const std::string shop = "http://" + m + config.shopSuffix + port;
                const std::string market = "http://" + config.market + port;
                const std::map<std::string, std::string> expected = {
                    {"detail", market + "/company/detail/" + m + ".html"},
                    {"titlebar", shop + "/"},
                    {"heading", shop + "/"},
                    {"site", "http://" + config.companySite + port + "/athena/" + m + ".html"},
                    {"unknown", market + "/offer/" + m + ".html"},
                    {"caseshop", "http://" + upper + config.shopSuffix + port + "/"},
                };
                ASSERT_TRUE(expected.contains(layout)) << layout;
                EXPECT_EQ(Str(company["sourceUrl"]), expected.at(layout)) << m;
                seen.insert(layout);
            }
        }
        EXPECT_EQ(seen.size(), 6u) << "80 companies show every layout";
    }
}

TEST(ListingPage, LayoutWeightsDecideTheLayouts) {
    SimProcess sim({"--pages", "2", "--layouts", "site=1,heading=3"});
    std::map<std::string, int> counts;
    for (int page = 1; page <= 2; ++page) {
        for (const QJsonValue& company : SimCompanies(sim, page))
            ++counts[Str(company["layout"])];
    }
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_GT(counts["heading"], counts["site"]);
}

// A search that ignores GBK character boundaries would find ASCII inside such names.
TEST(ListingPage, NamesHoldCharactersWhoseTrailByteIsAscii) {
    SimProcess sim;
    int namesWithAsciiTrail = 0;
    for (const Entry& entry : CutEntries(HttpGet(ListingUrl(sim, 1)).body)) {
        bool found = false;
        for (std::size_t i = 0; i + 1 < entry.name.size(); ++i) {
            const auto byte = static_cast<unsigned char>(entry.name[i]);
            if (byte < 0x81)
                continue;
            const auto trail = static_cast<unsigned char>(entry.name[i + 1]);
            found = found || (trail >= 0x40 && trail <= 0x7E);
            ++i;
        }
        namesWithAsciiTrail += found;
    }
    EXPECT_GE(namesWithAsciiTrail, 5);
}

// badgbk and nul spoil values, never markers: the engine still finds every entry.
TEST(ListingPage, FaultyBytesSitInsideValuesAndBetweenEntries) {
    const struct {
        std::string kind;
        std::string bytes;
    } cases[] = {{"nul", std::string(1, '\0')}, {"badgbk", "\xFF\x81\x7F"}};
    SimProcess sim({"--pages", "1", "--per-page", "6"});
    const std::vector<Entry> clean = CutEntries(HttpGet(ListingUrl(sim, 1)).body);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_EQ(HttpGet(sim.baseUrl() + "/__sim/fault?kind=" + c.kind + "&times=1").status, 200);
        const HttpResult faulty = HttpGet(ListingUrl(sim, 1));
        const std::vector<Entry> entries = CutEntries(faulty.body);
        ASSERT_EQ(entries.size(), clean.size());
        for (std::size_t j = 0; j < entries.size(); ++j) {
            EXPECT_EQ(entries[j].memberId, clean[j].memberId);
            EXPECT_EQ(entries[j].sourceUrl, clean[j].sourceUrl);
            EXPECT_NE(entries[j].name.find(c.bytes), std::string::npos);
            EXPECT_NE(entries[j].name, clean[j].name);
        }
        if (c.kind == "nul") {
            EXPECT_NE(faulty.body.find(std::string("</li>\n") + '\0'), std::string::npos);
        } else {
            EXPECT_FALSE(DecodeGbk(faulty.body).has_value());
        }
    }
}

}  // namespace
}  // namespace corpgather::test

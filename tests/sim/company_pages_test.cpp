// Company pages of marketplace-sim have the size and the clutter of real ones. What the engine
// cuts from them is checked against the simulator's dump by the company page tests of the run.
#include <string>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "support/sim_json.h"
#include "support/sim_process.h"

namespace corpgather::test {
namespace {

const std::vector<std::string> kArguments = {
    "--pages", "2", "--layouts",
    "detail=1,titlebar=1,heading=1,site=1,unknown=1,caseshop=1,othershop=1"};

TEST(SimCompanyPages, PagesHaveTheSizeAndClutterOfRealOnes) {
    SimProcess sim(kArguments);
    for (const QJsonValue& value : SimCompanies(sim, 1)) {
        const QJsonObject company = value.toObject();
        if (Str(company["contactPageUrl"]).empty())
            continue;
        for (const char* page : {"contactPageUrl", "profilePageUrl"}) {
            const std::string url = Str(company[page]);
            SCOPED_TRACE(url);
            const HttpResult result = HttpGet(url);
            ASSERT_EQ(result.status, 200);
            EXPECT_GE(result.body.size(), 30u * 1024);
            EXPECT_LE(result.body.size(), 100u * 1024);
            const std::optional<std::string> text = DecodeGbk(result.body);
            ASSERT_TRUE(text.has_value());
            for (const char* clutter : {"<script", "&nbsp;", "<table", "\r\n", "，", "（"})
                EXPECT_NE(text->find(clutter), std::string::npos) << clutter;
        }
    }
}

}  // namespace
}  // namespace corpgather::test

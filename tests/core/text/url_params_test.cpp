#include "text/url_params.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace corpgather {
namespace {

constexpr const char* kKey = "beginPage=";

TEST(GetUrlParamInt, ReadsTheDecimalValueBeforeTheNextAmpersand) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"http://s.cn/company?keywords=a&beginPage=12&n=y", 12},
        {"beginPage=12&beginPage=7&", 12},
        {"beginPage=007&", 7},
        {"beginPage=-3&", -3},
        {"beginPage=2147483647&", 2147483647},
        {"http://s.cn/company?beginPage=12", std::nullopt},
        {"beginPage=&", std::nullopt},
        {"beginPage=1a&", std::nullopt},
        {"beginPage=+3&", std::nullopt},
        {"beginPage= 3&", std::nullopt},
        {"beginPage=2147483648&", std::nullopt},
        {"page=3&", std::nullopt},
    };
    for (const auto& [url, expected] : cases)
        EXPECT_EQ(GetUrlParamInt(url, kKey), expected) << url;
}

TEST(SetUrlParamInt, ReplacesTheValueAndKeepsEveryOtherByte) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"http://s.cn/company?keywords=%D6%D0&beginPage=12&n=y",
         "http://s.cn/company?keywords=%D6%D0&beginPage=3&n=y"},
        {"beginPage=9&", "beginPage=3&"},
        {"beginPage=-12&", "beginPage=3&"},
        // As many bytes are replaced as the old value has without its leading zeros.
        {"beginPage=012&n", "beginPage=32&n"},
    };
    for (const auto& [url, expected] : cases)
        EXPECT_EQ(SetUrlParamInt(url, kKey, 3), expected);
    EXPECT_EQ(SetUrlParamInt("beginPage=5&", kKey, 1000), "beginPage=1000&");
    EXPECT_EQ(SetUrlParamInt("beginPage=5", kKey, 3), std::nullopt);
    EXPECT_EQ(SetUrlParamInt("beginPage=x&", kKey, 3), std::nullopt);
}

}  // namespace
}  // namespace corpgather

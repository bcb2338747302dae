#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marketsim {

// text as a JSON string literal. Bytes that are not valid UTF-8 (request headers may carry
// anything) become \u00XX escapes, so the output is always valid UTF-8.
std::string JsonQuote(std::string_view text);

// Builds one JSON object, members in the order added.
class JsonObject final {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, long long number);
    // value is JSON already.
    JsonObject& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view key);
    std::string body_;
};

// items are JSON already.
std::string JsonArray(const std::vector<std::string>& items);

}  // namespace marketsim

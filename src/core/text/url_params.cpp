#include "text/url_params.h"

#include <charconv>

#include "text/text_markers.h"

namespace corpgather {

// Digits with an optional "-", as the number was written into the address; a "+" or blanks
// would make the replaced length below disagree with what was read.
std::optional<int> GetUrlParamInt(std::string_view url, std::string_view key) {
    const std::string text = BetweenText(url, key, "&");
    int value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Replaces as many bytes as the old value has when written in decimal, so a value written with
// leading zeros keeps its surplus digits.
std::optional<std::string> SetUrlParamInt(std::string_view url, std::string_view key, int value) {
    const std::optional<int> old = GetUrlParamInt(url, key);
    if (!old)
        return std::nullopt;
    const size_t valueAt = url.find(key) + key.size();
    std::string result(url.substr(0, valueAt));
    result += std::to_string(value);
    const size_t oldLength = std::to_string(*old).size();
    if (valueAt + oldLength < url.size())
        result += url.substr(valueAt + oldLength);
    return result;
}

}  // namespace corpgather

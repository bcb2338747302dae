#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corpgather {

// The decimal value between `key` (with its "=") and the next "&"; nothing when it is
// missing, empty or not a decimal number.
std::optional<int> GetUrlParamInt(std::string_view url, std::string_view key);

// The address with that value replaced by `value`, every other byte unchanged; nothing when
// the old value cannot be read.
std::optional<std::string> SetUrlParamInt(std::string_view url, std::string_view key, int value);

}  // namespace corpgather

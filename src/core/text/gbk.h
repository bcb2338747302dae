#pragma once

#include <string>
#include <string_view>

namespace corpgather {

// GBK (as the marketplace serves it, GB18030 being its superset) to UTF-8. Invalid bytes
// become U+FFFD; a zero byte is kept. Never fails.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GBK, for markers written as readable source. Characters GBK lacks become "?".
std::string Utf8ToGbk(std::string_view utf8);

}  // namespace corpgather

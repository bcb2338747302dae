#pragma once

#include <string>
#include <string_view>

namespace marketsim {

// UTF-8 text as GBK bytes. Throws std::runtime_error for text that GBK cannot hold, so a
// word table with a stray character fails loudly instead of serving a mangled page.
std::string ToGbk(std::string_view utf8);

// Appends the GBK form of utf8 to out; ASCII is copied without a conversion.
void AppendGbk(std::string& out, std::string_view utf8);

// Offset of the GBK character boundary nearest to the middle of gbk (from the front).
std::size_t GbkMiddle(std::string_view gbk);

}  // namespace marketsim

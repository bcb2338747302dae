#pragma once

#include <string>
#include <string_view>

namespace marketsim {

// The ways a faulty page spoils its bytes while keeping every marker intact.
enum class Corruption { none, badGbk, nul };

// Builds a GBK page from UTF-8 pieces. Page code marks which pieces are values, so a faulty
// page can put its bad bytes exactly where an extractor reads.
class GbkPageWriter final {
public:
    explicit GbkPageWriter(Corruption corruption = Corruption::none);

    // Surrounding markup and fixed texts.
    GbkPageWriter& markup(std::string_view utf8);
    // Bytes that are GBK already, such as surroundings built once.
    GbkPageWriter& raw(std::string_view gbk);
    // A value the engine cuts out: on a faulty page its middle carries the bad bytes.
    GbkPageWriter& value(std::string_view utf8);
    // The gap between two list entries: a NUL on a nul page, nothing otherwise.
    GbkPageWriter& entryGap();

    std::string take() { return std::move(out_); }

private:
    Corruption corruption_;
    std::string out_;
};

}  // namespace marketsim

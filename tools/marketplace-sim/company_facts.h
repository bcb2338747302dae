#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace marketsim {

// Column name (as the company table names it) and value, UTF-8; an empty value is a fact the
// company does not show. Values are written as a collection run stores them: paragraphs of
// the introduction are separated by one blank, several industries by two.
using Facts = std::vector<std::pair<std::string, std::string>>;

struct CompanyText {
    std::string name;
    Facts facts;
};

// The name and facts of one company, drawn from its own random stream. Names never contain a
// double quote, and many carry GBK characters whose trail byte is printable ASCII.
CompanyText GenerateCompanyText(std::uint64_t streamSeed);

}  // namespace marketsim

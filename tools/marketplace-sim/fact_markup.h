#pragma once

#include <string>
#include <string_view>

#include "company_catalog.h"
#include "page_writer.h"
#include "site_hosts.h"

// How facts are written into pages so that the engine's cuts give them back: each helper
// names the step of the engine that undoes its markup.
namespace marketsim {

// The member's page on the member-profile host, which the contact person's name links to.
std::string MemberProfileUrl(const SiteHosts& hosts, const Company& company);

// Every blank as "&nbsp;", and a line break after each full stop that ends a paragraph: the
// engine turns each "&nbsp;" and the line break after it back into one blank.
void WriteIntroduction(GbkPageWriter& page, std::string_view introduction, std::string_view indent);

// The amount, a carriage return and line feed, blanks, and the currency: the engine joins the
// two lines.
void WriteCapitalOnTwoLines(GbkPageWriter& page, std::string_view capital);

// Each industry (separated by two blanks in the fact) on a line of its own between tab
// characters: the engine splits the cell at the tabs.
void WriteIndustryCell(GbkPageWriter& page, std::string_view industries);

// "省份 城市", or one word when both are the same.
std::string AreaText(const Company& company);

}  // namespace marketsim

#pragma once

#include <string>
#include <string_view>

#include "store/company_record.h"

namespace corpgather {

// Reads the contact values of a detail contact page. The contact person's name follows the
// link to the member's profile, `memberProfileUrl` (the member-profile prefix, M and ".html").
void ReadDetailContact(std::string_view page, std::string_view memberProfileUrl,
                       CompanyRecord& record);

// Reads the profile values of a detail profile page.
void ReadDetailProfile(std::string_view page, CompanyRecord& record);

// The main-industry cell: its pieces between tab characters, line feeds dropped and trimmed,
// the non-empty ones joined with two blanks.
std::string JoinIndustryPieces(std::string_view cell);

}  // namespace corpgather

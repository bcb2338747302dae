#pragma once

#include <string_view>

#include "run/shop_contact_page.h"
#include "store/company_record.h"

namespace corpgather {

// Reads the profile values of a shop profile page in the variant its contact page showed.
void ReadShopProfile(std::string_view page, ShopContactVariant variant, CompanyRecord& record);

}  // namespace corpgather

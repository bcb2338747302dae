#pragma once

#include <string_view>

#include "store/company_record.h"

namespace corpgather {

// The two forms of a shop's contact page; the shop profile page has the same form.
enum class ShopContactVariant {
    None,      // neither form: nothing is read and the profile page is not fetched
    TitleBar,  // the contact block under a title bar
    Heading,   // the contact block under a heading
};

ShopContactVariant ShopContactVariantOf(std::string_view page);

// Reads the contact values and the area (省份, 城市) of a shop contact page of a variant.
void ReadShopContact(std::string_view page, ShopContactVariant variant, CompanyRecord& record);

}  // namespace corpgather

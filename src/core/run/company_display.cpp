#include "run/company_display.h"

namespace corpgather {

CompanyDisplayTexts MakeDisplayTexts(const CompanyRecord& record, int recordNo) {
    using C = CompanyColumn;
    static constexpr C kShown[] = {
        C::CompanyName, C::Contact,     C::Position,       C::Phone,
        C::Mobile,      C::Fax,         C::Address,        C::Postcode,
        C::Email,       C::Website,     C::MainIndustry,   C::EnterpriseType,
        C::RegisteredCapital, C::Employees, C::Founded,    C::LegalRepresentative,
    };
    CompanyDisplayTexts texts;
    for (size_t i = 0; i < std::size(kShown); ++i) texts[i] = record[kShown[i]];
    texts[16] = std::to_string(recordNo);
    return texts;
}

}  // namespace corpgather

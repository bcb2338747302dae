#include "export/export_columns.h"

namespace corpgather {
namespace {

using C = CompanyColumn;

constexpr std::array<ExportField, kExportFieldCount> kFields = {{
    {"chkComZH", C::MemberId, true, 16},
    {"chkComName", C::CompanyName, true, 30},
    {"chkLinkMan", C::Contact, true, 10},
    {"chkCall", C::Salutation, true, 8},
    {"chkDuty", C::Position, true, 12},
    {"chkTel", C::Phone, true, 18},
    {"chkMobile", C::Mobile, true, 14},
    {"chkFax", C::Fax, true, 18},
    {"chkAddress", C::Address, true, 36},
    {"chkPost", C::Postcode, true, 8},
    {"chkEmail", C::Email, true, 20},
    {"chkComSite", C::Website, true, 28},
    {"chkComIntroduction", C::Introduction, true, 50},
    {"chkMainProduct", C::MainProducts, true, 30},
    {"chkMainIndustries", C::MainIndustry, true, 20},
    {"chkComType", C::EnterpriseType, true, 16},
    {"chkComStyle", C::BusinessModel, true, 12},
    {"chkRegMoney", C::RegisteredCapital, true, 14},
    {"chkRegAddress", C::RegisteredAddress, true, 16},
    {"chkEmployeCount", C::Employees, true, 12},
    {"chkWorkDate", C::Founded, true, 12},
    {"chkComOwer", C::LegalRepresentative, true, 10},
    {"chkMngSystem", C::Certification, true, 16},
    {"chksOEM", C::OemService, true, 12},
    {"chkEngineerCount", C::RdStaff, true, 10},
    {"chkFactoryArea", C::FactoryArea, true, 12},
    {"chkRegInfo", C::Registration, true, 30},
    {"chkSourceSiteName", C::SearchSource, false, 12},
    {"chkSourceSiteUrl", C::SourceUrl, false, 36},
    {"chkQq", C::QQ, false, 12},
    {"chkMsn", C::MSN, false, 16},
    {"chkSkype", C::Skype, false, 16},
    {"chkSearchDate", C::SearchTime, false, 20},
    {"chkArea", C::Province, false, 8},
    {"chkCity", C::City, false, 8},
    {"chkComZHType", C::MemberType, false, 10},
}};

constexpr std::array<RowsPerFileEntry, 18> kRowsPerFile = {{
    {"不限", 0},
    {"500", 500},
    {"1000", 1000},
    {"2000", 2000},
    {"3000", 3000},
    {"4000", 4000},
    {"5000", 5000},
    {"6000", 6000},
    {"7000", 7000},
    {"8000", 8000},
    {"9000", 9000},
    {"10000", 10000},
    {"15000", 15000},
    {"20000", 20000},
    {"30000", 30000},
    {"40000", 40000},
    {"50000", 50000},
    {"60000", 60000},
}};

}  // namespace

std::span<const ExportField, kExportFieldCount> ExportFields() {
    return kFields;
}

ExportFieldSet DefaultExportFields() {
    ExportFieldSet fields;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        fields[i] = kFields[i].tickedByDefault;
    return fields;
}

std::size_t ExportFieldIndex(std::string_view columnName) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (CompanyColumnName(kFields[i].column) == columnName)
            return i;
    }
    return kExportFieldCount;
}

std::string ExportStatement(const ExportFieldSet& ticked, int searchId) {
    std::string list;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (!ticked[i])
            continue;
        list += list.empty() ? " \"" : ", \"";
        list += CompanyColumnName(kFields[i].column);
        list += '"';
    }
    if (list.empty())
        return {};
    return "SELECT" + list + " FROM Company WHERE SearchID=" + std::to_string(searchId);
}

std::span<const RowsPerFileEntry> RowsPerFileEntries() {
    return kRowsPerFile;
}

}  // namespace corpgather

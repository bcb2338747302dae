#pragma once

#include <array>
#include <bitset>
#include <span>
#include <string>
#include <string_view>

#include "store/company_record.h"

// The columns the export offers, in the order of its check boxes, and the statement built from
// the ticked ones.
namespace corpgather {

inline constexpr std::size_t kExportFieldCount = kCompanyColumnCount;

struct ExportField {
    std::string_view control;  // object name of the field's check box
    CompanyColumn column;      // its caption is the column's name
    bool tickedByDefault;
    double width;  // column width in the workbook, in characters
};

// The 36 fields in check-box order (row by row), which is also the order of exported columns.
std::span<const ExportField, kExportFieldCount> ExportFields();

// One bit per field of ExportFields, in the same order.
using ExportFieldSet = std::bitset<kExportFieldCount>;

ExportFieldSet DefaultExportFields();

// The field of that column name, or kExportFieldCount.
std::size_t ExportFieldIndex(std::string_view columnName);

// SELECT "会员帐号", "公司名称" FROM Company WHERE SearchID=7 — the ticked fields in check-box
// order; empty when none is ticked.
std::string ExportStatement(const ExportFieldSet& ticked, int searchId);

// The records-per-file choices: an entry's text and the records per workbook (0: no limit).
struct RowsPerFileEntry {
    std::string_view text;
    int rows;
};

std::span<const RowsPerFileEntry> RowsPerFileEntries();

}  // namespace corpgather

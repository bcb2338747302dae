#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "export/export_styles.h"

namespace corpgather {

// The worksheet every export writes.
inline constexpr std::string_view kExportSheetName = "企业列表";

struct WorkbookColumn {
    std::string caption;
    double width = 0;  // in characters; 0 leaves the default
};

// One output workbook of an export, in .xlsx form. It is written to a temporary file beside its
// target and moved over the target by commit(); destroyed uncommitted, it leaves the target as
// it was. Every cell is a text cell: a value that starts with "=" stays text.
class WorkbookFile final {
public:
    WorkbookFile(std::string target, ExportStyle style);
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    // Starts the workbook. When the target exists, the rows of its worksheet 企业列表 come first
    // (its other worksheets are left out); then the caption row. False with the reason.
    bool begin(const std::vector<WorkbookColumn>& columns, std::string* error);
    // One record in the next row, its values in column order.
    bool addRecord(std::span<const std::string> values, std::string* error);
    // Saves the workbook and moves it over the target.
    bool commit(std::string* error);

    const std::string& target() const;
    long long records() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corpgather

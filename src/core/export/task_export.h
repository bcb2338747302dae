#pragma once

#include <string>
#include <vector>

#include "export/export_progress.h"
#include "export/export_styles.h"

// Runs a statement over table Company into one or more .xlsx workbooks.
namespace corpgather {

struct ExportRequest {
    std::string statement;      // its columns, in order, become the workbook's columns
    std::string fileName;       // the first workbook; later ones carry sequence numbers
    long long rowsPerFile = 0;  // records per workbook; 0 puts them all in one
    ExportStyle style = kDefaultExportStyle;
};

enum class ExportOutcome {
    Exported,
    Cancelled,
    QueryFailed,  // the statement could not be opened; nothing was written
    WriteFailed,  // reading the records or writing a workbook failed
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::QueryFailed;
    std::vector<std::string> files;  // the workbooks completed, in order; they stay on failure
    long long records = 0;           // the records in those workbooks
    std::string error;
};

// Every workbook begins with the caption row of the statement's column names and, when its file
// exists, merges into it (see WorkbookFile). With rowsPerFile, a workbook is complete after that
// many records and the next begins with the next record. A cancel or a failure drops the
// workbook in progress, leaving its target as it was. Runs on the calling thread, on its
// database connection.
ExportResult ExportToWorkbooks(const ExportRequest& request, ExportProgress& progress);

// The name of workbook `index` of an export: the chosen name for 0, after that the sequence
// number with at least three digits before the extension — list.xlsx, list001.xlsx, …
// list999.xlsx, list1000.xlsx.
std::string SeriesFileName(const std::string& chosen, int index);

}  // namespace corpgather

#include "export/task_export.h"

#include <cstdio>
#include <memory>

#include "export/export_columns.h"
#include "export/workbook_writer.h"
#include "store/database.h"

namespace corpgather {
namespace {

// The caption and width of each of the statement's columns.
std::vector<WorkbookColumn> columnsOf(const Query& query) {
    std::vector<WorkbookColumn> columns;
    for (int i = 0; i < query.columnCount(); ++i) {
        WorkbookColumn column{query.columnName(i), 0};
        const std::size_t field = ExportFieldIndex(column.caption);
        if (field < kExportFieldCount)
            column.width = ExportFields()[field].width;
        columns.push_back(std::move(column));
    }
    return columns;
}

// Counted while `query` is open, the count reads the same snapshot of the database as it.
long long countRows(const std::string& statement) {
    Query count;
    if (!OpenSQL(count, "SELECT COUNT(*) AS n FROM (" + statement + ")"))
        return 0;
    return count.fieldInt("n");
}

ExportResult failed(ExportResult result, ExportOutcome outcome, std::string error) {
    result.outcome = outcome;
    result.error = std::move(error);
    return result;
}

}  // namespace

std::string SeriesFileName(const std::string& chosen, int index) {
    if (index == 0)
        return chosen;
    char number[16];
    std::snprintf(number, sizeof number, "%03d", index);
    const std::size_t slash = chosen.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    if (dot == std::string::npos || dot <= nameStart)
        return chosen + number;
    return chosen.substr(0, dot) + number + chosen.substr(dot);
}

ExportResult ExportToWorkbooks(const ExportRequest& request, ExportProgress& progress) {
    ExportResult result;
    Query query;
    if (!OpenSQL(query, request.statement))
        return failed(std::move(result), ExportOutcome::QueryFailed, LastDatabaseError());
    const long long total = query.eof() ? 0 : countRows(request.statement);
    const std::vector<WorkbookColumn> columns = columnsOf(query);
    std::vector<std::string> values(columns.size());
    progress.progressed(0, total);

    std::string error;
    int index = 0;
    auto file = std::make_unique<WorkbookFile>(request.fileName, request.style);
    if (!file->begin(columns, &error))
        return failed(std::move(result), ExportOutcome::WriteFailed, error);
    const auto complete = [&] {
        if (!file->commit(&error))
            return false;
        result.files.push_back(file->target());
        result.records += file->records();
        file.reset();
        return true;
    };

    long long done = 0;
    for (; !query.eof(); query.next()) {
        if (progress.cancelRequested()) {
            result.outcome = ExportOutcome::Cancelled;
            return result;
        }
        if (!file) {
            file = std::make_unique<WorkbookFile>(SeriesFileName(request.fileName, ++index),
                                                  request.style);
            if (!file->begin(columns, &error))
                return failed(std::move(result), ExportOutcome::WriteFailed, error);
        }
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = query.text(static_cast<int>(i));
        if (!file->addRecord(values, &error))
            return failed(std::move(result), ExportOutcome::WriteFailed, error);
        progress.progressed(++done, total);
        if (request.rowsPerFile > 0 && file->records() == request.rowsPerFile && !complete())
            return failed(std::move(result), ExportOutcome::WriteFailed, error);
    }
    if (query.failed())
        return failed(std::move(result), ExportOutcome::WriteFailed, LastDatabaseError());
    if (file && !complete())
        return failed(std::move(result), ExportOutcome::WriteFailed, error);
    result.outcome = ExportOutcome::Exported;
    return result;
}

}  // namespace corpgather

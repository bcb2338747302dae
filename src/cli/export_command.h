#pragma once

#include <QStringList>

namespace corpgather::cli {

// `export ID --out FILE [--columns NAME,NAME…] [--rows-per-file N] [--style NAME]`: writes the
// task's records to Excel workbooks as the export dialog does, with its defaults for what is not
// given. Prints each completed workbook on standard output and the progress on standard error;
// Ctrl-C cancels before the next record.
int ExportCommand(const QStringList& arguments);

}  // namespace corpgather::cli

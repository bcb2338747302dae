#pragma once

#include <string>

// How an export reports its progress and learns that the user cancelled it. The dialog's
// progress window and the CLI's progress line implement it.
namespace corpgather {

class ExportProgress {
public:
    virtual ~ExportProgress() = default;

    // After the statement opened and after each record, on the exporting thread; `total` is the
    // number of records the statement returns.
    virtual void progressed(long long done, long long total) = 0;

    // Asked before each record, on the exporting thread; true stops the export there.
    virtual bool cancelRequested() = 0;
};

// The status line of the progress window: "正在导出数据...... (done/total)".
std::string ExportStatusLine(long long done, long long total);

}  // namespace corpgather

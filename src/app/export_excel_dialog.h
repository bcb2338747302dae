#pragma once

#include <QDialog>

#include "export/export_columns.h"
#include "export/task_export.h"

class QCheckBox;
class QComboBox;

namespace corpgather {

// 导出数据: which columns of a task's records, how many records per workbook and which style;
// 导出 asks for a file name and writes the workbooks with a progress window. The dialog stays
// open after an export, so the user may export again with other choices.
class TfrmExportExcel final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmExportExcel(QWidget* parent = nullptr);

    void setTaskId(int searchId) { taskId_ = searchId; }
    // Ticks the default boxes and selects the default entries of both pick lists.
    void setDefaults();

private:
    void bbExportToExcelClick();
    ExportFieldSet tickedFields() const;
    QString chooseFileName();

    int taskId_ = 0;
    std::vector<QCheckBox*> fields_;
    QComboBox* infoNum_;
    QComboBox* exportStyle_;
};

// Runs `request` on a thread of its own while a small always-on-top window shows
// "正在导出数据...... (done/total)" with a cancel button; the mouse shows the wait cursor.
ExportResult ExportWithProgressWindow(QWidget* parent, const ExportRequest& request);

// The task list's 导出: the dialog for that task, from its defaults, shown modally.
void ExportTaskToExcel(int searchId);

}  // namespace corpgather

#include "database_maintenance_actions.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QMdiSubWindow>

#include "child_forms.h"
#include "main_window.h"
#include "message_box.h"
#include "run/run_registry.h"
#include "store/database.h"
#include "store/database_maintenance.h"

namespace corpgather {
namespace {

const QString kNotice = QStringLiteral("提示");

// The wait cursor for the life of the object.
class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void ClearDatabaseCommand(TfrmMain& mainWindow, RunRegistry& runs) {
    if (MsgBox(QStringLiteral("数据库清空，会删除所有数据！是否继续？"), kNotice,
               kMsgBoxOkCancel) != kMsgBoxResultOk) {
        return;
    }
    // Runs stop first: a batch one of them sent after the tables were emptied would be left.
    runs.stopAll();
    if (!ClearDatabase())
        return;
    const QList<QWidget*> windows = ChildForms(mainWindow.mdiArea(), "frmSearchCompany");
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        // The frame goes now, not later, so that the window opened below is a new one.
        QWidget* frame = (*it)->parentWidget();
        if (frame->close())
            delete frame;
    }
    MsgBox(QStringLiteral("数据库清空成功，软件运行速度会加快！请刷新任务列表。！"), kNotice,
           kMsgBoxOk);
    mainWindow.openSearchWindow();
}

void CompactDatabaseCommand(RunRegistry& runs) {
    std::string error;
    bool compacted = false;
    {
        WaitCursor wait;
        const std::vector<int> paused = runs.pauseAll();
        compacted = CompactDatabase(&error);
        for (const int id : paused)
            runs.resume(id);
    }
    if (compacted)
        MsgBox(QStringLiteral("数据压缩成功！"), kNotice, kMsgBoxOk);
    else
        ShowErrorBox(QString::fromStdString(error));
}

}  // namespace corpgather

#include "export_excel_dialog.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app_identity.h"
#include "message_box.h"
#include "store/database.h"

namespace corpgather {
namespace {

constexpr QSize kDialogSize(452, 347);
constexpr int kColumnX[] = {12, 121, 230, 339};
constexpr int kFirstRowY = 16;
constexpr int kRowStep = 29;

// The window export runs under: its status line and bar follow the reports that the export
// thread posts; cancel (or the close box) asks the export to stop before its next record.
class ProgressWindow final : public QDialog {
public:
    explicit ProgressWindow(QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
          status_(new QLabel(QString::fromStdString(ExportStatusLine(0, 0)))),
          bar_(new QProgressBar) {
        setObjectName(QStringLiteral("frmExportProgress"));
        setWindowTitle(QStringLiteral("导出数据"));
        setFont(AppFont());
        setWindowModality(Qt::ApplicationModal);
        auto* cancel = new QPushButton(QStringLiteral("取消"));
        cancel->setObjectName(QStringLiteral("bbCancelExport"));
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(status_);
        layout->addWidget(bar_);
        layout->addWidget(cancel, 0, Qt::AlignRight);
        setMinimumWidth(320);
    }

    void report(long long done, long long total) {
        status_->setText(QString::fromStdString(ExportStatusLine(done, total)));
        // The bar counts in thousandths, so that totals beyond an int's range fit.
        bar_->setRange(0, 1000);
        bar_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    }

    void reject() override { cancelled = true; }

    std::atomic<bool> cancelled{false};

private:
    QLabel* status_;
    QProgressBar* bar_;
};

// Reports from the export thread, posted to the window at most every 50 ms and for the last
// record; nothing on that thread touches the window.
class PostedProgress final : public ExportProgress {
public:
    explicit PostedProgress(ProgressWindow* window) : window_(window) {}

    void progressed(long long done, long long total) override {
        const auto now = std::chrono::steady_clock::now();
        if (done != total && now - posted_ < std::chrono::milliseconds(50))
            return;
        posted_ = now;
        QMetaObject::invokeMethod(
            window_, [window = window_, done, total] { window->report(done, total); },
            Qt::QueuedConnection);
    }

    bool cancelRequested() override { return window_->cancelled; }

private:
    ProgressWindow* window_;
    std::chrono::steady_clock::time_point posted_;
};

QWidget* mainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("frmMain"))
            return widget;
    }
    return QApplication::activeWindow();
}

// Whether the statement opens on this thread's connection; the export opens it again.
bool statementOpens(const std::string& statement) {
    Query query;
    return OpenSQL(query, statement);
}

}  // namespace

TfrmExportExcel::TfrmExportExcel(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      infoNum_(new QComboBox(this)),
      exportStyle_(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmExportExcel"));
    setWindowTitle(QStringLiteral("导出数据"));
    setFont(AppFont());
    setFixedSize(kDialogSize);

    const auto fields = ExportFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(CompanyColumnName(fields[i].column).data(),
                                                    CompanyColumnName(fields[i].column).size()),
                                  this);
        box->setObjectName(QString::fromLatin1(fields[i].control.data(), fields[i].control.size()));
        box->setGeometry(kColumnX[i % 4], kFirstRowY + kRowStep * static_cast<int>(i / 4), 97, 17);
        if (!fields_.empty())
            setTabOrder(fields_.back(), box);
        fields_.push_back(box);
    }

    // Where the system lacks 宋体 the label may need more room: the pick list then gives way.
    auto* infoLabel = new QLabel(QStringLiteral("每个EXCEL信息数"), this);
    const int labelWidth = std::max(92, infoLabel->sizeHint().width());
    const int infoX = std::max(106, 12 + labelWidth + 2);
    infoLabel->setGeometry(12, 280, labelWidth, 20);
    infoNum_->setObjectName(QStringLiteral("cbbInfoNum"));
    infoNum_->setGeometry(infoX, 280, 227 - infoX, 20);
    for (const RowsPerFileEntry& entry : RowsPerFileEntries())
        infoNum_->addItem(QString::fromUtf8(entry.text.data(), entry.text.size()), entry.rows);

    auto* styleLabel = new QLabel(QStringLiteral("导出样式"), this);
    styleLabel->setGeometry(239, 280, 50, 20);
    exportStyle_->setObjectName(QStringLiteral("cbbExportStyle"));
    exportStyle_->setGeometry(291, 280, 145, 20);
    for (const ExportStyleEntry& entry : ExportStyleEntries())
        exportStyle_->addItem(QString::fromUtf8(entry.text.data(), entry.text.size()),
                              static_cast<int>(entry.style));

    auto* exportButton = new QPushButton(QStringLiteral("导出"), this);
    exportButton->setObjectName(QStringLiteral("bbExportToExcel"));
    exportButton->setGeometry(278, 309, 75, 25);
    auto* cancelButton = new QPushButton(QStringLiteral("取消"), this);
    cancelButton->setObjectName(QStringLiteral("bbCancel"));
    cancelButton->setGeometry(361, 309, 75, 25);
    setTabOrder(fields_.back(), infoNum_);
    setTabOrder(infoNum_, exportStyle_);
    setTabOrder(exportStyle_, exportButton);
    setTabOrder(exportButton, cancelButton);
    connect(exportButton, &QPushButton::clicked, this, &TfrmExportExcel::bbExportToExcelClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    setDefaults();
}

void TfrmExportExcel::setDefaults() {
    const ExportFieldSet defaults = DefaultExportFields();
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setChecked(defaults[i]);
    infoNum_->setCurrentIndex(0);
    exportStyle_->setCurrentIndex(exportStyle_->findData(static_cast<int>(kDefaultExportStyle)));
}

ExportFieldSet TfrmExportExcel::tickedFields() const {
    ExportFieldSet ticked;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        ticked[i] = fields_[i]->isChecked();
    return ticked;
}

QString TfrmExportExcel::chooseFileName() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Excel文档 (*.xlsx)"));
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    // An existing workbook is merged into, so there is nothing to confirm.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void TfrmExportExcel::bbExportToExcelClick() {
    const std::string statement = ExportStatement(tickedFields(), taskId_);
    if (statement.empty()) {
        MsgBox(QStringLiteral("请选择导出字段！"), QStringLiteral("提示"), kMsgBoxOk);
        return;
    }
    if (!statementOpens(statement))
        return;
    const QString fileName = chooseFileName();
    if (fileName.isEmpty())
        return;
    const ExportRequest request{statement, fileName.toStdString(),
                                infoNum_->currentData().toLongLong(),
                                static_cast<ExportStyle>(exportStyle_->currentData().toInt())};
    const ExportResult result = ExportWithProgressWindow(this, request);
    if (result.outcome == ExportOutcome::WriteFailed)
        MsgBox(QStringLiteral("导出失败: ") + QString::fromStdString(result.error),
               QStringLiteral("提示"), kMsgBoxOk);
}

ExportResult ExportWithProgressWindow(QWidget* parent, const ExportRequest& request) {
    ProgressWindow window(parent);
    PostedProgress progress(&window);
    QEventLoop loop;
    ExportResult result;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window.show();
    std::thread worker([&] {
        result = ExportToWorkbooks(request, progress);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QApplication::restoreOverrideCursor();
    return result;
}

void ExportTaskToExcel(int searchId) {
    TfrmExportExcel dialog(mainWindow());
    dialog.setTaskId(searchId);
    dialog.setDefaults();
    dialog.exec();
}

}  // namespace corpgather

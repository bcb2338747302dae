#include "option_dialog.h"

#include <map>
#include <string>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app_identity.h"
#include "message_box.h"
#include "spin_edit.h"
#include "store/settings.h"

namespace corpgather {
namespace {

constexpr QSize kDialogSize(400, 385);

struct Field {
    const char* key;
    const char* control;
    int minimum;
    int maximum;
    int step;
    int (*read)();
};

// The spin fields, in the order their keys are written.
constexpr Field kFields[] = {
    {"TimeOut", "seTimeOut", 30, 180, 1, &GetTimeOut},
    {"TryNum", "seTryNum", 1, 10, 1, &GetTryNum},
    {"Display", "seDisplay", 500, 50000, 1, &GetDisplay},
    {"RunTaskNum", "seRunTaskNum", 1, 5, 1, &GetRunTaskNum},
    {"SaveNum", "seSaveNum", 10, 50, 5, &GetSaveNum},
    {"IntervalData", "seIntervalData", 1, 10000, 1, &GetIntervalData},
    {"IntervalTime", "seIntervalTime", 0, 255, 1, &GetIntervalTime},
};

void addRow(QGridLayout* grid, int row, const QString& label, SpinEdit* field,
            const QString& after = {}) {
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(field, row, 1);
    if (!after.isEmpty())
        grid->addWidget(new QLabel(after), row, 2);
}

QGroupBox* group(const char* name, const QString& title, QLayout* content) {
    auto* box = new QGroupBox(title);
    box->setObjectName(QString::fromLatin1(name));
    box->setLayout(content);
    return box;
}

}  // namespace

TfrmOption::TfrmOption(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      pages_(new QTabWidget(this)),
      allTasks_(new QRadioButton(QStringLiteral("全任务"))),
      singleTask_(new QRadioButton(QStringLiteral("单任务"))) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("系统选项设置"));
    setFont(AppFont());
    setFixedSize(kDialogSize);

    for (const Field& field : kFields) {
        auto* spin = new SpinEdit(field.minimum, field.maximum, field.step, this);
        spin->setObjectName(QString::fromLatin1(field.control));
        spin->setMinimumWidth(80);
    }
    allTasks_->setObjectName(QStringLiteral("rb1"));
    singleTask_->setObjectName(QStringLiteral("rb2"));
    allTasks_->setChecked(true);

    pages_->setObjectName(QStringLiteral("pgcOption"));
    pages_->addTab(buildGeneralTab(), QStringLiteral("常规选项"));
    pages_->addTab(buildTaskTab(), QStringLiteral("任务设置"));

    auto* yes = new QPushButton(QStringLiteral("确定"));
    yes->setObjectName(QStringLiteral("bbYes"));
    yes->setDefault(true);
    auto* no = new QPushButton(QStringLiteral("取消"));
    no->setObjectName(QStringLiteral("bbNo"));
    connect(yes, &QPushButton::clicked, this, &TfrmOption::save);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes);
    buttons->addWidget(no);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
}

SpinEdit* TfrmOption::spinField(const char* key) {
    for (const Field& field : kFields) {
        if (qstrcmp(field.key, key) == 0)
            return findChild<SpinEdit*>(QString::fromLatin1(field.control));
    }
    return nullptr;
}

QWidget* TfrmOption::buildGeneralTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGeneral"));

    auto* web = new QGridLayout;
    addRow(web, 0, QStringLiteral("访问超时(秒)"), spinField("TimeOut"));
    addRow(web, 1, QStringLiteral("允许重试次数"), spinField("TryNum"));
    web->setColumnStretch(2, 1);

    auto* display = new QGridLayout;
    addRow(display, 0, QStringLiteral("自动分页，程序每页显示(条)"), spinField("Display"));
    display->setColumnStretch(2, 1);

    auto* scope = new QHBoxLayout;
    scope->addWidget(allTasks_);
    scope->addWidget(singleTask_);
    scope->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group("gbWeb", QStringLiteral("网页访问设置"), web));
    layout->addWidget(group("gbProgramDisplay", QStringLiteral("程序显示设置"), display));
    layout->addWidget(group("gbDataDisplay", QStringLiteral("数据显示设置"), scope));
    layout->addStretch();
    return page;
}

QWidget* TfrmOption::buildTaskTab() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsTask"));

    auto* schedule = new QGridLayout;
    addRow(schedule, 0, QStringLiteral("最多可以同时运行"), spinField("RunTaskNum"),
           QStringLiteral("任务（建议值：1）"));
    addRow(schedule, 1, QStringLiteral("每次向数据库保存数据"), spinField("SaveNum"),
           QStringLiteral("条（建议值：25）"));
    schedule->setColumnStretch(2, 1);

    auto* interval = new QGridLayout;
    addRow(interval, 0, QStringLiteral("每任务采集"), spinField("IntervalData"),
           QStringLiteral("条数据后（建议值：500）"));
    addRow(interval, 1, QStringLiteral("任务暂停"), spinField("IntervalTime"),
           QStringLiteral("秒（建议值：60）"));
    interval->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group("gbSchedule", QStringLiteral("任务调度设置"), schedule));
    layout->addWidget(group("gbInterval", QStringLiteral("时间间隔"), interval));
    layout->addStretch();
    return page;
}

void TfrmOption::LoadSettings() {
    pages_->setCurrentIndex(0);
    for (const Field& field : kFields)
        spinField(field.key)->setValue(field.read());
    switch (GetComListDisplay()) {
        case 0:
            allTasks_->setChecked(true);
            break;
        case 1:
            singleTask_->setChecked(true);
            break;
        default:
            break;
    }
}

void TfrmOption::save() {
    std::map<std::string, int> values;
    for (const Field& field : kFields)
        values[field.key] = spinField(field.key)->currentValue();
    values["ComListDisplay"] = !allTasks_->isChecked() && singleTask_->isChecked() ? 1 : 0;
    std::string error;
    if (!WriteOptions(values, &error)) {
        ShowErrorBox(
            QStringLiteral("Unable to write to %1\n%2")
                .arg(QString::fromStdString(GetIniFileName()), QString::fromStdString(error)));
        return;
    }
    MsgBox(QStringLiteral("设置成功！"), QStringLiteral("提示"), kMsgBoxOk);
    saved_ = true;
    accept();
}

bool ShowOptionDialog(QWidget* parent) {
    TfrmOption dialog(parent);
    dialog.LoadSettings();
    dialog.exec();
    return dialog.saved();
}

}  // namespace corpgather

#include "main_window.h"

#include <functional>

#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>

#include "about_dialog.h"
#include "app_identity.h"
#include "child_forms.h"
#include "database_maintenance_actions.h"
#include "message_box.h"
#include "option_dialog.h"
#include "search_company_window.h"
#include "tray_icon.h"
#include "update_check.h"

namespace corpgather {
namespace {

constexpr QSize kWindowSize(900, 646);
constexpr int kStatusPanelWidth = 145;

// The upgrade itself is the set-up program's: the user is asked, and the system fetches and
// starts it.
void offerUpdate(const UpdateInfo& info) {
    const QString text =
        QStringLiteral("发现新版本 1.0.0.%1（更新日期：%2）。是否下载并运行升级程序？")
            .arg(info.versionNumber)
            .arg(info.date);
    if (MsgBox(text, QStringLiteral("提示"), kMsgBoxOkCancel) == kMsgBoxResultOk)
        QDesktopServices::openUrl(info.setupUrl);
}

}  // namespace

TfrmMain::TfrmMain(RunRegistry& runs, QWidget* parent)
    : QMainWindow(parent),
      runs_(runs),
      mdiArea_(new QMdiArea(this)),
      tray_(new TrayIcon(this)),
      updateCheck_(new UpdateCheck(this)) {
    setObjectName(QStringLiteral("frmMain"));
    setFont(AppFont());
    mdiArea_->setObjectName(QStringLiteral("mdiClient"));
    setCentralWidget(mdiArea_);
    buildMenu();

    connect(updateCheck_, &UpdateCheck::notice, this, [](UpdateNotice, const QString& text) {
        MsgBox(text, QStringLiteral("提示"), kMsgBoxOk);
    });
    connect(updateCheck_, &UpdateCheck::updateAvailable, this, &offerUpdate);
    updateCheck_->start();

    setWindowTitle(AppTitle());
    connect(tray_, &TrayIcon::doubleClicked, this, &TfrmMain::toggleFromTray);
    connect(tray_, &TrayIcon::exitRequested, this, &TfrmMain::endRequested);
    buildStatusBar();

    resize(kWindowSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), kWindowSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mm1"));
    const auto menu = [bar](const char* name, const QString& text) {
        QMenu* menu = bar->addMenu(text);
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    const auto entry = [this](QMenu* menu, const char* name, const QString& text,
                              const std::function<void()>& handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };

    QMenu* functions = menu("N1", QStringLiteral("功能"));
    entry(functions, "N2", QStringLiteral("名录搜索"), [this] { openSearchWindow(); });
    entry(functions, "N8", QStringLiteral("退出"), [this] { closeFromMenu(); });

    QMenu* tools = menu("N9", QStringLiteral("工具"));
    entry(tools, "N10", QStringLiteral("系统选项"), [this] { ShowOptionDialog(this); });
    tools->addSeparator()->setObjectName(QStringLiteral("N11"));
    entry(tools, "N12", QStringLiteral("数据库清空"),
          [this] { ClearDatabaseCommand(*this, runs_); });
    entry(tools, "N13", QStringLiteral("数据库压缩"), [this] { CompactDatabaseCommand(runs_); });

    QMenu* help = menu("N23", QStringLiteral("帮助"));
    entry(help, "N24", QStringLiteral("关于我们"), [this] { OpenAboutDialog(this); });
}

void TfrmMain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("stat1"));
    bar->setSizeGripEnabled(false);
    for (int panel = 0; panel < 2; ++panel) {
        statusPanels_[panel] = new QLabel(bar);
        statusPanels_[panel]->setObjectName(QStringLiteral("stat1Panel%1").arg(panel));
        statusPanels_[panel]->setMinimumWidth(kStatusPanelWidth);
        statusPanels_[panel]->setFrameShape(QFrame::StyledPanel);
    }
    // The first panel keeps its width; the last one reaches to the window's edge.
    statusPanels_[0]->setFixedWidth(kStatusPanelWidth);
    bar->addWidget(statusPanels_[0]);
    bar->addWidget(statusPanels_[1], 1);
    statusPanels_[1]->setText(QStringLiteral("主程序版本：") + VersionText() +
                              QStringLiteral("    更新日期：") + VersionDate());
}

void TfrmMain::openSearchWindow() {
    ShowChildForm<TfrmSearchCompany>(*mdiArea_);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    event->ignore();
    hideToTray();
}

void TfrmMain::closeFromMenu() {
    // Without a tray the window only minimises on close, so this entry is the way to end.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        emit endRequested();
        return;
    }
    close();
}

void TfrmMain::hideToTray() {
    if (QSystemTrayIcon::isSystemTrayAvailable())
        hide();
    else
        showMinimized();
}

void TfrmMain::showFromTray() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TfrmMain::toggleFromTray() {
    if (isVisible())
        hideToTray();
    else
        showFromTray();
}

void TfrmMain::restoreInstance() {
    showFromTray();
}

}  // namespace corpgather

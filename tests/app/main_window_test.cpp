#include "main_window.h"

#include <stdexcept>

#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "application.h"
#include "child_forms.h"
#include "message_box.h"
#include "run/run_registry.h"
#include "run_reports.h"
#include "search_company_window.h"
#include "tray_icon.h"

namespace corpgather {
namespace {

// An MDI child of another class, which the search window's lookup must pass over.
class OtherChild final : public QWidget {
    Q_OBJECT
};

}  // namespace

class MainWindowTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<RunReports> reports_;
    std::unique_ptr<RunRegistry> runs_;
    std::unique_ptr<TfrmMain> window_;

    QAction* action(const char* name) { return window_->findChild<QAction*>(name); }
    QList<QMdiSubWindow*> searchFrames() {
        QList<QMdiSubWindow*> frames;
        for (QMdiSubWindow* frame : window_->mdiArea().subWindowList())
            if (qobject_cast<TfrmSearchCompany*>(frame->widget()))
                frames.append(frame);
        return frames;
    }

private slots:
    void initTestCase() { QVERIFY(test::WaitForTray()); }

    void init() {
        home_ = std::make_unique<test::TestHome>();
        reports_ = std::make_unique<RunReports>();
        runs_ = std::make_unique<RunRegistry>(*reports_, reports_.get());
        window_ = std::make_unique<TfrmMain>(*runs_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        runs_.reset();
        reports_.reset();
        home_.reset();
    }

    void frameHasItsCaptionSizeAndMenu() {
        QCOMPARE(window_->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        QCOMPARE(window_->size(), QSize(900, 646));
        QVERIFY(window_->findChild<QMdiArea*>());

        QStringList entries;
        auto* bar = window_->findChild<QMenuBar*>("mm1");
        QVERIFY(bar);
        for (QAction* menu : bar->actions()) {
            for (QAction* entry : menu->menu()->actions()) {
                entries << menu->text() + '/' +
                               (entry->isSeparator() ? QStringLiteral("-") : entry->text()) + '/' +
                               entry->objectName();
            }
        }
        const QStringList expected = {
            "功能/名录搜索/N2",    "功能/退出/N8",        "工具/系统选项/N10", "工具/-/N11",
            "工具/数据库清空/N12", "工具/数据库压缩/N13", "帮助/关于我们/N24"};
        QCOMPARE(entries, expected);
    }

    void statusBarShowsTheVersionLine() {
        auto* bar = window_->findChild<QStatusBar*>("stat1");
        QVERIFY(bar);
        const auto panels = bar->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 2);
        QCOMPARE(panels[0]->text(), QString());
        QCOMPARE(panels[0]->width(), 145);
        QVERIFY(panels[1]->width() >= 145);
        const QString today =
            QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
        QCOMPARE(panels[1]->text(), QStringLiteral("主程序版本：1.0.0.6    更新日期：") + today);
    }

    void trayIconHasHintAndTheOneEntryMenu() {
        QSystemTrayIcon& icon = window_->trayIcon().icon();
        QVERIFY(icon.isVisible());
        QVERIFY(!icon.icon().isNull());
        QCOMPARE(icon.toolTip(), QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        const auto entries = icon.contextMenu()->actions();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0]->text(), QStringLiteral("退出"));
        QCOMPARE(entries[0]->objectName(), QStringLiteral("N26"));
    }

    void closingHidesIntoTheTrayAndTheTrayBringsItBack_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("close box") << false;
        QTest::newRow("退出 of 功能") << true;
    }

    void closingHidesIntoTheTrayAndTheTrayBringsItBack() {
        QFETCH(bool, fromMenu);
        QSignalSpy ended(window_.get(), &TfrmMain::endRequested);
        if (fromMenu)
            action("N8")->trigger();
        else
            window_->close();
        QVERIFY(!window_->isVisible());
        QVERIFY(window_->trayIcon().icon().isVisible());

        QSystemTrayIcon& icon = window_->trayIcon().icon();
        emit icon.activated(QSystemTrayIcon::Trigger);
        QVERIFY(!window_->isVisible());
        emit icon.activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(window_->isVisible());
        emit icon.activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(!window_->isVisible());
        QCOMPARE(ended.count(), 0);

        window_->trayIcon().exitAction().trigger();
        QCOMPARE(ended.count(), 1);
    }

    void searchEntryActivatesTheOpenWindow() {
        auto* other = new OtherChild;
        window_->mdiArea().addSubWindow(other)->show();
        action("N2")->trigger();
        QCOMPARE(searchFrames().size(), 1);
        QMdiSubWindow* frame = searchFrames().first();
        QCOMPARE(frame->widget()->objectName(), QStringLiteral("frmSearchCompany"));
        QCOMPARE(frame->windowTitle(), QStringLiteral("企业名录搜索"));

        frame->showMinimized();
        window_->mdiArea().setActiveSubWindow(window_->mdiArea().subWindowList().first());
        action("N2")->trigger();
        QCOMPARE(searchFrames(), QList<QMdiSubWindow*>{frame});
        QVERIFY(!frame->isMinimized());
        QCOMPARE(window_->mdiArea().activeSubWindow(), frame);

        frame->close();
        QTRY_VERIFY(searchFrames().isEmpty());
        action("N2")->trigger();
        QCOMPARE(searchFrames().size(), 1);
        QVERIFY(searchFrames().first() != frame);
    }

    void messageBoxAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<int>("result");
        QTest::newRow("OK alone, OK") << 0 << QMessageBox::Ok << 1;
        QTest::newRow("OK alone, Escape") << 0 << QMessageBox::NoButton << 1;
        QTest::newRow("OK and Cancel, OK") << 1 << QMessageBox::Ok << 1;
        QTest::newRow("OK and Cancel, Cancel") << 1 << QMessageBox::Cancel << 2;
        QTest::newRow("OK and Cancel, Escape") << 1 << QMessageBox::NoButton << 2;
    }

    void messageBoxAnswers() {
        QFETCH(int, buttons);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(int, result);
        test::SeenBox seen;
        test::AnswerNextBox(press, &seen);
        QCOMPARE(MsgBox("是否继续？", "提示", buttons), result);
        QCOMPARE(seen.text, QStringLiteral("是否继续？"));
        QCOMPARE(seen.caption, QStringLiteral("提示"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, buttons == 1 ? QMessageBox::Ok | QMessageBox::Cancel
                                            : QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void failureEscapingAHandlerShowsTheErrorBox() {
        test::SeenBox seen;
        test::AnswerNextBox(QMessageBox::Ok, &seen);
        QTimer::singleShot(0, window_.get(), [] { throw std::runtime_error("磁盘已满"); });
        QTRY_VERIFY(seen.seen);
        QCOMPARE(seen.text, QStringLiteral("磁盘已满"));
        QCOMPARE(seen.caption, QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        // The program goes on.
        action("N2")->trigger();
        QCOMPARE(searchFrames().size(), 1);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::MainWindowTest)
#include "main_window_test.moc"

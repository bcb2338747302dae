#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include "app_test_support.h"
#include "application.h"
#include "main_window.h"
#include "run/run_registry.h"
#include "run_reports.h"

namespace corpgather {

// Where the desktop has no tray, hiding into it would leave the program out of reach.
class MainWindowNoTrayTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable()); }

    void closeBoxMinimisesAndTheMenuEntryEnds() {
        test::TestHome home;
        RunReports reports;
        RunRegistry runs(reports, &reports);
        TfrmMain window(runs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy ended(&window, &TfrmMain::endRequested);

        window.close();
        QVERIFY(window.isVisible());
        QTRY_VERIFY(window.isMinimized());
        QCOMPARE(ended.count(), 0);

        window.restoreInstance();
        QTRY_VERIFY(!window.isMinimized());
        window.findChild<QAction*>("N8")->trigger();
        QCOMPARE(ended.count(), 1);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::MainWindowNoTrayTest)
#include "main_window_no_tray_test.moc"

#include "single_instance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "app_test_support.h"
#include "application.h"
#include "main_window.h"
#include "run/run_registry.h"
#include "run_reports.h"

namespace corpgather {
namespace {

// Starts the program as it is installed, in a program folder of its own.
void startProgram(QProcess& process, const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CORPGATHER_HOME", home);
    process.setProcessEnvironment(environment);
    process.start(test::BinDir() + "/corpgather", {});
}

}  // namespace

class SingleInstanceTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(test::WaitForTray()); }

    void secondStartRestoresTheFirstAndShowsNothing_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("hidden in the tray") << "hidden";
        QTest::newRow("minimised") << "minimised";
        QTest::newRow("shown") << "shown";
    }

    void secondStartRestoresTheFirstAndShowsNothing() {
        QFETCH(QString, state);
        test::TestHome home;
        SingleInstance first;
        QVERIFY(first.claim());
        RunReports reports;
        RunRegistry runs(reports, &reports);
        TfrmMain window(runs);
        connect(&first, &SingleInstance::activationRequested, &window, &TfrmMain::restoreInstance);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (state == "hidden")
            window.close();
        else if (state == "minimised")
            window.showMinimized();
        QSignalSpy requests(&first, &SingleInstance::activationRequested);

        QTemporaryDir secondHome;
        QProcess second;
        startProgram(second, secondHome.path());
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        // It ended before its data module: nothing was made in its program folder.
        QCOMPARE(QDir(secondHome.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());

        QTRY_COMPARE(requests.count(), 1);
        QTRY_VERIFY(window.isVisible() && !window.isMinimized());
    }

    void aStartThatDiedLeavesNothingInTheWay() {
        QTemporaryDir home;
        QProcess crashed;
        startProgram(crashed, home.path());
        QVERIFY(crashed.waitForStarted());
        const QString socket = QDir::tempPath() + '/' + SingleInstance::DefaultName();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);
        crashed.kill();
        QVERIFY(crashed.waitForFinished());

        SingleInstance first;
        QVERIFY(first.claim());
        QSignalSpy requests(&first, &SingleInstance::activationRequested);
        SingleInstance second;
        QVERIFY(!second.claim());
        QTRY_COMPARE(requests.count(), 1);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::SingleInstanceTest)
#include "single_instance_test.moc"

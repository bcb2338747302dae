#include "program.h"

#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "application.h"
#include "data_module.h"
#include "main_window.h"
#include "tray_icon.h"

namespace corpgather {

class ProgramTest final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(test::WaitForTray()); }

    void startsWithTheSearchWindowAndTrayExitEndsInReverseOrder() {
        test::TestHome home;
        auto program = std::make_unique<Program>();
        TfrmMain& window = program->mainWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        window.show();
        const auto frames = window.mdiArea().subWindowList();
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0]->widget()->objectName(), QStringLiteral("frmSearchCompany"));
        QVERIFY(frames[0]->isMaximized());
        QVERIFY(QFile::exists(home.file("SearchCom.mdb")));

        QStringList destroyed;
        for (QObject* object : std::initializer_list<QObject*>{frames[0]->widget(), &window,
                                                               &program->dataModule()}) {
            connect(object, &QObject::destroyed,
                    [&destroyed, name = object->objectName()] { destroyed << name; });
        }

        // Hidden into the tray first: the program goes on until the tray menu ends it.
        window.close();
        QTimer::singleShot(0, &window, [&window] {
            QVERIFY(!window.isVisible());
            window.trayIcon().exitAction().trigger();
        });
        QCOMPARE(qApp->exec(), 0);
        QCOMPARE(destroyed, QStringList());
        program.reset();
        QCOMPARE(destroyed, QStringList({"frmSearchCompany", "frmMain", "frmData"}));
    }

    void aDatabaseThatCannotBeOpenedIsReportedAndTheWindowStillOpens() {
        test::TestHome home;
        home.writeFile("SearchCom.mdb", QByteArray(8192, 'Z'));
        test::SeenBox error;
        test::AnswerNextBox(QMessageBox::Ok, &error);
        Program program;
        QVERIFY(error.seen);
        QCOMPARE(error.icon, QMessageBox::Critical);
        QCOMPARE(error.caption, QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        QVERIFY(!error.text.isEmpty());
        QCOMPARE(program.mainWindow().objectName(), QStringLiteral("frmMain"));
        QCOMPARE(home.readFile("SearchCom.mdb"), QByteArray(8192, 'Z'));
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::ProgramTest)
#include "program_test.moc"

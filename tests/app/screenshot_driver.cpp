// Opens the main window and each dialog in turn and saves a picture of each, taken from the
// X screen with ImageMagick's import: corpgather-screenshots OUTPUT-FOLDER. Run by
// tools/screenshots.sh on a display of its own with a tray host.
#include <QAbstractButton>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "about_dialog.h"
#include "app_test_support.h"
#include "application.h"
#include "main_window.h"
#include "option_dialog.h"
#include "program.h"
#include "tray_icon.h"

namespace corpgather {
namespace {

QString outputFolder;
bool allSaved = true;

// Saves the part of the screen that `area` (global coordinates) covers, once it is painted.
void shoot(const QString& name, const QRect& area) {
    QTest::qWait(400);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect crop = area.intersected(screen);
    const QString geometry = QStringLiteral("%1x%2+%3+%4")
                                 .arg(crop.width())
                                 .arg(crop.height())
                                 .arg(crop.x())
                                 .arg(crop.y());
    const QString file = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
    const int status =
        QProcess::execute(QStringLiteral("import"), {"-window", "root", "-crop", geometry, file});
    qInfo("%s %s: %s", qPrintable(file), qPrintable(geometry), status == 0 ? "saved" : "failed");
    allSaved = allSaved && status == 0;
}

void shootModal(const QString& objectName, const std::function<void(QWidget*)>& more) {
    test::OnModal([=](QWidget* w) { return w->objectName() == objectName; },
                  [=](QWidget* w) {
                      shoot(objectName, w->frameGeometry());
                      more(w);
                  });
}

void run(TfrmMain& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("the main window was not shown");
    shoot(QStringLiteral("frmMain"), window.frameGeometry());
    shoot(QStringLiteral("desktop"), QGuiApplication::primaryScreen()->geometry());

    QMenuBar* bar = window.menuBar();
    for (QAction* menu : bar->actions()) {
        bar->setActiveAction(menu);
        QTest::qWait(200);
        shoot(QStringLiteral("mm1_") + menu->menu()->objectName(),
              window.frameGeometry().united(menu->menu()->geometry()));
        menu->menu()->hide();
    }

    shootModal(QStringLiteral("frmOption"), [](QWidget* dialog) {
        dialog->findChild<QTabWidget*>()->setCurrentIndex(1);
        shoot(QStringLiteral("frmOption_task"), dialog->frameGeometry());
        static_cast<QDialog*>(dialog)->reject();
    });
    ShowOptionDialog(&window);

    shootModal(QStringLiteral("frmAbout"), [](QWidget* dialog) { dialog->close(); });
    OpenAboutDialog(&window);

    test::OnModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                  [](QWidget* box) {
                      shoot(QStringLiteral("N12_question"), box->frameGeometry());
                      static_cast<QMessageBox*>(box)->button(QMessageBox::Cancel)->click();
                  });
    window.findChild<QAction*>(QStringLiteral("N12"))->trigger();

    QMenu* trayMenu = window.trayIcon().icon().contextMenu();
    const QRect tray = window.trayIcon().icon().geometry();
    trayMenu->popup(tray.topLeft() - QPoint(0, trayMenu->sizeHint().height()));
    QTest::qWait(200);
    shoot(QStringLiteral("PopupMenu1"),
          trayMenu->geometry().united(tray).adjusted(-40, -10, 10, 10));
    trayMenu->hide();
}

}  // namespace
}  // namespace corpgather

int main(int argc, char** argv) {
    corpgather::Application app(argc, argv);
    if (argc != 2) {
        qWarning("usage: corpgather-screenshots OUTPUT-FOLDER");
        return 2;
    }
    corpgather::outputFolder = QString::fromLocal8Bit(argv[1]);
    if (!corpgather::test::WaitForTray())
        qWarning("no tray host: the tray menu is left out");
    corpgather::Program program;
    corpgather::run(program.mainWindow());
    return corpgather::allSaved ? 0 : 1;
}

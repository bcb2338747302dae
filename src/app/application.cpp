#include "application.h"

#include <exception>

#include "app_identity.h"
#include "message_box.h"

namespace corpgather {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("CorpGather"));
    setApplicationVersion(VersionText());
    setWindowIcon(AppIcon());
    setFont(AppFont());
    // The main window hides into the tray instead of closing; only the tray menu ends the run.
    setQuitOnLastWindowClosed(false);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ShowErrorBox(QString::fromUtf8(failure.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unknown error"));
    }
    return false;
}

}  // namespace corpgather

#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace corpgather {

// The program's icon in the system tray, with the title as hint and the one-entry menu
// "退出" that ends the program.
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    QSystemTrayIcon& icon() { return icon_; }
    QAction& exitAction() { return exitAction_; }

signals:
    void doubleClicked();
    void exitRequested();

private:
    // The icon goes first on destruction, while its menu still exists.
    QAction exitAction_;
    QMenu menu_;
    QSystemTrayIcon icon_;
};

}  // namespace corpgather

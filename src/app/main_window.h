#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>

namespace corpgather {

class RunRegistry;
class TrayIcon;
class UpdateCheck;

// The MDI frame every window of the program lives in, with its menu, status bar, tray icon
// and update check. Closing it hides the program into the tray and collection goes on; only
// "退出" of the tray menu ends the program (endRequested).
class TfrmMain final : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(RunRegistry& runs, QWidget* parent = nullptr);
    ~TfrmMain() override;

    QMdiArea& mdiArea() { return *mdiArea_; }
    TrayIcon& trayIcon() { return *tray_; }

    // "名录搜索": the open search window forward, or a new one.
    void openSearchWindow();
    // A second start asked for the window: shown, restored and brought to the front.
    void restoreInstance();
    // Hides into the tray, or minimises where the desktop has no tray to come back from.
    void hideToTray();
    void showFromTray();

signals:
    void endRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildStatusBar();
    void toggleFromTray();
    void closeFromMenu();

    RunRegistry& runs_;
    QMdiArea* mdiArea_;
    QLabel* statusPanels_[2];
    TrayIcon* tray_;
    UpdateCheck* updateCheck_;
};

}  // namespace corpgather

#include "tray_icon.h"

#include "app_identity.h"

namespace corpgather {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent), exitAction_(QStringLiteral("退出")) {
    icon_.setObjectName(QStringLiteral("JvTrayIcon1"));
    menu_.setObjectName(QStringLiteral("PopupMenu1"));
    exitAction_.setObjectName(QStringLiteral("N26"));
    menu_.addAction(&exitAction_);
    // The tray host opens the menu on the right button at the cursor; the left one does nothing.
    icon_.setContextMenu(&menu_);
    icon_.setIcon(AppIcon());
    icon_.setToolTip(AppTitle());
    connect(&exitAction_, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick)
                    emit doubleClicked();
            });
    icon_.show();
}

TrayIcon::~TrayIcon() {
    icon_.hide();
}

}  // namespace corpgather

#include "message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "app_identity.h"

namespace corpgather {
namespace {

int runBox(QMessageBox::Icon icon, const QString& text, const QString& caption,
           QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setFont(AppFont());
    // The program speaks Chinese whatever translations the system has.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("确定"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("取消"));
    return box.exec();
}

}  // namespace

int MsgBox(const QString& text, const QString& caption, int buttons) {
    const bool withCancel = buttons == kMsgBoxOkCancel;
    const int pressed =
        runBox(QMessageBox::Information, text, caption,
               withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    // Escape and the close box answer Cancel where there is one; a box with OK alone has no
    // other answer.
    return !withCancel || pressed == QMessageBox::Ok ? kMsgBoxResultOk : kMsgBoxResultCancel;
}

void ShowErrorBox(const QString& message) {
    runBox(QMessageBox::Critical, message, AppTitle(), QMessageBox::Ok);
}

}  // namespace corpgather

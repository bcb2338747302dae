#pragma once

#include <QString>

// The program's message boxes. User-interface thread only.
namespace corpgather {

enum MsgBoxButtons { kMsgBoxOk = 0, kMsgBoxOkCancel = 1 };
enum MsgBoxResult { kMsgBoxResultOk = 1, kMsgBoxResultCancel = 2 };

// An application-modal box with the information icon; returns 1 for OK, 2 for Cancel or the
// close box.
int MsgBox(const QString& text, const QString& caption, int buttons);

// The standard error box: the failure's message, the application title as caption.
void ShowErrorBox(const QString& message);

}  // namespace corpgather

#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

// What the program shows of itself: title, version, date, its font and icon.
namespace corpgather {

// Taskbar text, main window caption, tray hint and caption of the standard error box.
QString AppTitle();

// The version number proper; the full version reads "1.0.0." followed by it.
QString VersionNumber();
QString VersionText();
// The date the program started, in the system's short date format.
QString VersionDate();

// 宋体, 9 points, or the nearest font the system has.
QFont AppFont();

// The program's icon from the pictures beside the executable, or a standard one.
QIcon AppIcon();

}  // namespace corpgather

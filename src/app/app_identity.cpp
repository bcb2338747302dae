#include "app_identity.h"

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QStyle>

namespace corpgather {
namespace {

// Taken once, as the program starts.
const QDate versionDate = QDate::currentDate();

}  // namespace

QString AppTitle() {
    return QStringLiteral("拓铭企业名录搜索软件(阿里免费)");
}

QString VersionNumber() {
    return QStringLiteral("6");
}

QString VersionText() {
    return QStringLiteral("1.0.0.") + VersionNumber();
}

QString VersionDate() {
    return QLocale::system().toString(versionDate, QLocale::ShortFormat);
}

QFont AppFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSize(9);
    return font;
}

QIcon AppIcon() {
    const QIcon icon(QApplication::applicationDirPath() +
                     QStringLiteral("/pictures/corpgather.png"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        return icon;
    return QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
}

}  // namespace corpgather

#include "run/search_time.h"

#include <QDateTime>
#include <QLocale>

namespace corpgather {

std::string FormatSearchTime(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0)) text += ' ' + locale.toString(when.time(), QLocale::LongFormat);
    return text.toStdString();
}

}  // namespace corpgather

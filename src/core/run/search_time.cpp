#include "run/search_time.h"

#include <QDateTime>
#include <QLocale>

namespace corpgather {
namespace {

// The locale's long time format without its time-zone field: a collection time is local.
QString longTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && c == 't') continue;
        result += c;
    }
    return result.simplified();
}

}  // namespace

std::string FormatSearchTime(const QDateTime& when) {
    const QLocale locale = QLocale::system();
    QString text = locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += ' ' + locale.toString(when.time(), longTimeFormatWithoutZone(locale));
    return text.toStdString();
}

}  // namespace corpgather

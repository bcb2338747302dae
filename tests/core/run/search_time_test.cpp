#include <QDateTime>
#include <QLocale>

#include <gtest/gtest.h>

#include "run/search_time.h"

namespace corpgather {
namespace {

TEST(SearchTimeTest, ShortDateBlankAndLongTimeWithoutZone) {
    QLocale::setDefault(QLocale::system());
    const QDateTime when(QDate(2026, 3, 4), QTime(9, 5, 7));
    const std::string text = FormatSearchTime(when);
    const std::string date = QLocale::system().toString(when.date(), QLocale::ShortFormat).toStdString();
    EXPECT_EQ(text.rfind(date + " ", 0), 0u) << text;
    EXPECT_NE(text.find("09:05:07"), std::string::npos) << text;
    EXPECT_EQ(text.find("UTC"), std::string::npos) << text;
}

TEST(SearchTimeTest, MidnightLeavesTheTimeOut) {
    const QDateTime midnight(QDate(2026, 3, 4), QTime(0, 0));
    EXPECT_EQ(FormatSearchTime(midnight),
              QLocale::system().toString(midnight.date(), QLocale::ShortFormat).toStdString());
}

}  // namespace
}  // namespace corpgather

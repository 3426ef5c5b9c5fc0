#include <gtest/gtest.h>

#include "platform/qt/qt_clock.h"

namespace zonora {
namespace {

QDateTime afternoon() { return QDateTime(QDate(2002, 4, 12), QTime(14, 0, 33)); }

TEST(QtClock, WritesTheUsEnglishShortDateAndTimeWithSeconds) {
    QtClock clock(QLocale(QLocale::English, QLocale::UnitedStates), afternoon);
    const DateTimeText text = clock.now();
    EXPECT_EQ(text.date, "4/12/2002");
    EXPECT_EQ(text.time, "2:00:33 PM");
}

TEST(QtClock, FollowsOtherLocalesWithoutATimeZone) {
    QtClock german(QLocale(QLocale::German, QLocale::Germany), afternoon);
    EXPECT_EQ(german.now().date, "12.04.2002");
    EXPECT_EQ(german.now().time, "14:00:33");
    QtClock british(QLocale(QLocale::English, QLocale::UnitedKingdom), afternoon);
    EXPECT_EQ(british.now().date, "12/04/2002");
    EXPECT_EQ(british.now().time, "14:00:33");
}

TEST(QtClock, FormatHelpersLeaveQuotedTextAlone) {
    EXPECT_EQ(withFullYear("M/d/yy"), "M/d/yyyy");
    EXPECT_EQ(withFullYear("yyyy-MM-dd"), "yyyy-MM-dd");
    EXPECT_EQ(withFullYear("d 'yy' yy"), "d 'yy' yyyy");
    EXPECT_EQ(withoutTimeZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(withoutTimeZone("HH:mm:ss 'at' tttt"), "HH:mm:ss 'at'");
}

}  // namespace
}  // namespace zonora

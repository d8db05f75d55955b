#include "common/DateTimeText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace snapdeck;

namespace {
const QLocale kRussian(QLocale::Russian, QLocale::Russia);
}

TEST(DateTimeText, RussianFormsGiveDayMonthYearAndAnHourWithoutLeadingZero) {
    EXPECT_EQ(generalDateText(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)), kRussian),
              QStringLiteral("06.12.2026 8:05:03"));
    EXPECT_EQ(generalDateText(QDateTime(QDate(2027, 3, 1), QTime(14, 30, 0)), kRussian),
              QStringLiteral("01.03.2027 14:30:00"));
}

TEST(DateTimeText, MidnightIsTheDateAlone) {
    EXPECT_EQ(generalDateText(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)), kRussian),
              QStringLiteral("07.12.2026"));
    EXPECT_EQ(generalDateText(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1)), kRussian),
              QStringLiteral("07.12.2026 0:00:01"));
}

TEST(DateTimeText, OtherLocalesUseTheirOwnFormsWithoutATimeZone) {
    const QLocale american(QLocale::English, QLocale::UnitedStates);
    const QString text = generalDateText(QDateTime(QDate(2026, 12, 6), QTime(8, 5, 3)), american);
    EXPECT_TRUE(text.startsWith(QStringLiteral("12/6/26"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("8:05:03"))) << text.toStdString();
    EXPECT_FALSE(regionalLongTimeFormat(american).contains(u't'));
}

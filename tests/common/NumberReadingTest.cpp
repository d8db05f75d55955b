#include "common/NumberReading.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace snapdeck;

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    EXPECT_EQ(leadingNumber(QStringLiteral("30")), 30);
    EXPECT_EQ(leadingNumber(QStringLiteral("45 секунд")), 45);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("0.4")), 0.4);
    EXPECT_EQ(leadingNumber(QStringLiteral("  -5 ")), -5);
    EXPECT_EQ(leadingNumber(QStringLiteral("+7x")), 7);
    EXPECT_EQ(leadingNumber(QStringLiteral("1 2")), 12) << "blanks inside are skipped";
    EXPECT_EQ(leadingNumber(QStringLiteral("2e3")), 2000);
    EXPECT_EQ(leadingNumber(QStringLiteral("2e")), 2) << "an exponent without digits stops";
    EXPECT_EQ(leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(leadingNumber(QStringLiteral("0,4")), 0) << "only '.' is a decimal point here";
}

TEST(LeadingNumber, ATextWithoutANumberReadsAsZero) {
    for (const char* text : {"", "   ", "abc", "-", ".", "+.", "e5"})
        EXPECT_EQ(leadingNumber(QString::fromUtf8(text)), 0) << text;
    EXPECT_TRUE(std::isinf(leadingNumber(QStringLiteral("1e999"))));
}

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(21.5), 22);
    EXPECT_EQ(roundHalfEven(22.5), 22);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(0.4), 0);
    EXPECT_EQ(roundHalfEven(2.51), 3);
}

TEST(StrictReadings, TheWholeTextMustBeANumber) {
    EXPECT_EQ(readRealNumber(QStringLiteral(" 2.5 ")), 2.5);
    EXPECT_EQ(readRealNumber(QStringLiteral("2,5")), 2.5) << "a decimal comma is accepted";
    EXPECT_EQ(readRealNumber(QStringLiteral("-1e2")), -100);
    EXPECT_FALSE(readRealNumber(QStringLiteral("2.5x")));
    EXPECT_FALSE(readRealNumber(QStringLiteral("")));
    EXPECT_FALSE(readRealNumber(QStringLiteral("1 2")));
    EXPECT_FALSE(readRealNumber(QStringLiteral("1e999")));

    EXPECT_EQ(readWholeNumber16(QStringLiteral("07")), 7);
    EXPECT_EQ(readWholeNumber16(QStringLiteral("1.5")), 2);
    EXPECT_EQ(readWholeNumber16(QStringLiteral("32767")), 32767);
    EXPECT_EQ(readWholeNumber16(QStringLiteral("-32768")), -32768);
    EXPECT_FALSE(readWholeNumber16(QStringLiteral("32768")));
    EXPECT_FALSE(readWholeNumber16(QStringLiteral("-32769")));
    EXPECT_FALSE(readWholeNumber16(QStringLiteral("двенадцать")));
}

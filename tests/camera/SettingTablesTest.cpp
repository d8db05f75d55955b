#include "settings/SettingTables.h"

#include "support/QtPrinters.h"
#include <cmath>

#include <gtest/gtest.h>

using namespace snapdeck;

TEST(SettingTables, ListsHaveTheirEntriesAndInitialSelections) {
    EXPECT_EQ(SettingTables::imageSize.entries.size(), 8u);
    EXPECT_EQ(SettingTables::exposureMode.entries.size(), 2u);
    EXPECT_EQ(SettingTables::whiteBalance.entries.size(), 8u);
    EXPECT_EQ(SettingTables::flash.entries.size(), 5u);
    EXPECT_EQ(SettingTables::shutter.entries.size(), 43u);
    EXPECT_EQ(SettingTables::aperture.entries.size(), 10u);
    EXPECT_EQ(SettingTables::iso.entries.size(), 5u);
    EXPECT_EQ(SettingTables::lcdMode.entries.size(), 3u);
    EXPECT_EQ(SettingTables::focusMode.entries.size(), 3u);

    const SettingEntry& initialShutter =
        SettingTables::shutter.entries[SettingTables::shutter.initialPosition];
    EXPECT_EQ(initialShutter.label, u"1/30");
    EXPECT_EQ(initialShutter.code, 33333);
    EXPECT_TRUE(SettingTables::shutter.disabledAfterFill);
    EXPECT_TRUE(SettingTables::aperture.disabledAfterFill);
    EXPECT_FALSE(SettingTables::imageSize.disabledAfterFill);
}

TEST(SettingTables, CodesThatDoNotFollowListOrder) {
    EXPECT_EQ(SettingTables::flash.entries[1].label, u"Включено");
    EXPECT_EQ(SettingTables::flash.entries[1].code, 2);
    EXPECT_EQ(SettingTables::flash.entries[2].label, u"Выключено");
    EXPECT_EQ(SettingTables::flash.entries[2].code, 1);
    EXPECT_EQ(SettingTables::iso.entries[1].label, u"ISO 50");
    EXPECT_EQ(SettingTables::iso.entries[1].code, 5);
    EXPECT_EQ(SettingTables::imageSize.entries[7].label, u"HQ 3264x2448");
    EXPECT_EQ(SettingTables::imageSize.entries[7].code, 9);
    EXPECT_EQ(SettingTables::shutter.entries[3].label, u"1/600");
}

// Every shutter code is its label's time in microseconds, to the nearest microsecond
// with a half going up; every aperture code is its f-number times ten.
TEST(SettingTables, CodesAgreeWithTheirLabels) {
    for (const SettingEntry& entry : SettingTables::shutter.entries) {
        QString label = entry.label.toString();
        double seconds = 0;
        if (label.startsWith(QStringLiteral("1/")))
            seconds = 1.0 / label.mid(2).toDouble();
        else
            seconds = label.chopped(2).toDouble();
        EXPECT_EQ(entry.code, static_cast<std::int32_t>(std::floor(seconds * 1e6 + 0.5)))
            << label.toStdString();
    }
    for (const SettingEntry& entry : SettingTables::aperture.entries)
        EXPECT_EQ(entry.code, std::lround(entry.label.toString().toDouble() * 10));
}

TEST(ApertureLabelForCode, ACodeMovesUpToTheNextAperture) {
    EXPECT_FALSE(ApertureLabelForCode(27));
    EXPECT_EQ(ApertureLabelForCode(28), QStringLiteral("2.8"));
    EXPECT_EQ(ApertureLabelForCode(29), QStringLiteral("3.2"));
    EXPECT_EQ(ApertureLabelForCode(30), QStringLiteral("3.2"));
    EXPECT_EQ(ApertureLabelForCode(32), QStringLiteral("3.2"));
    EXPECT_EQ(ApertureLabelForCode(33), QStringLiteral("3.5"));
    EXPECT_EQ(ApertureLabelForCode(57), QStringLiteral("6.3"));
    EXPECT_EQ(ApertureLabelForCode(80), QStringLiteral("8.0"));
    EXPECT_FALSE(ApertureLabelForCode(81));
    EXPECT_FALSE(ApertureLabelForCode(0));
    EXPECT_FALSE(ApertureLabelForCode(-28));
}

TEST(ShutterLabelForCode, OnlyAnExactTimeHasALabel) {
    EXPECT_EQ(ShutterLabelForCode(33333), QStringLiteral("1/30"));
    EXPECT_EQ(ShutterLabelForCode(1563), QStringLiteral("1/640"));
    EXPECT_EQ(ShutterLabelForCode(15000000), QStringLiteral("15''"));
    EXPECT_EQ(ShutterLabelForCode(1000), QStringLiteral("1/1000"));
    EXPECT_FALSE(ShutterLabelForCode(1562));
    EXPECT_FALSE(ShutterLabelForCode(999));
    EXPECT_FALSE(ShutterLabelForCode(0));
}

#include "settings/SettingLists.h"

#include "support/QtPrinters.h"
#include <QComboBox>

#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

// Counts the selections a list's handler would see: only real entries, like the
// program's handlers, which ignore -1.
struct HandlerRuns {
    explicit HandlerRuns(QComboBox& list) {
        QObject::connect(&list, &QComboBox::currentIndexChanged, &list, [this, &list](int index) {
            if (index >= 0)
                codes.push_back(list.itemData(index).toInt());
            else
                emptied++;
        });
    }
    std::vector<int> codes;
    int emptied = 0;
};

} // namespace

TEST(SettingLists, FillingRunsTheHandlerOnceWithTheInitialCode) {
    QComboBox list;
    HandlerRuns runs(list);
    FillShutterList(list);
    EXPECT_EQ(runs.codes, std::vector<int>{33333});
    EXPECT_EQ(list.currentText(), QStringLiteral("1/30"));
    EXPECT_FALSE(list.isEnabled());

    QComboBox sizes;
    HandlerRuns sizeRuns(sizes);
    FillImageSizeList(sizes);
    EXPECT_EQ(sizeRuns.codes, std::vector<int>{0});
    EXPECT_TRUE(sizes.isEnabled());
}

TEST(SettingLists, RefillingLeavesExactlyTheTableAndRunsTheHandlerAgain) {
    QComboBox list;
    list.addItem(QStringLiteral("old"), 99);
    list.addItem(QStringLiteral("older"), 98);
    HandlerRuns runs(list);
    FillApertureList(list);
    FillApertureList(list);
    ASSERT_EQ(list.count(), 10);
    EXPECT_EQ(list.itemText(0), QStringLiteral("2.8"));
    EXPECT_EQ(list.itemData(9).toInt(), 80);
    EXPECT_EQ(runs.codes, (std::vector<int>{28, 28}));
    EXPECT_EQ(selectedCode(list), 28);
}

TEST(SettingLists, SettingTheTextToALabelSelectsThatEntry) {
    QComboBox list;
    FillFlashList(list);
    HandlerRuns runs(list);
    list.setCurrentText(QStringLiteral("Выключено"));
    EXPECT_EQ(selectedCode(list), 1);
    EXPECT_EQ(runs.codes, std::vector<int>{1});
    list.setCurrentText(QStringLiteral("нет такого"));
    EXPECT_EQ(selectedCode(list), 1) << "an unknown label keeps the selection";

    QComboBox sizes;
    FillImageSizeList(sizes);
    EXPECT_EQ(sizes.findData(9), 7);
    EXPECT_EQ(sizes.findData(7), -1);
    EXPECT_EQ(sizes.findData(8), -1);
}

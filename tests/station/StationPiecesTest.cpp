#include "common/Clock.h"
#include "station/PictureNamer.h"
#include "station/StationLog.h"
#include "station/StationState.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

TEST(StationPictureName, FillsTheFieldsAndTheCounterAndNeverRepeatsAName) {
    const QDateTime moment(QDate(2026, 12, 7), QTime(6, 5, 9));
    QSet<QString> taken;
    const auto isTaken = [&](const QString& name) { return taken.contains(name); };
    EXPECT_EQ(stationPictureName(QStringLiteral("%Y%m%d-%H%M%S"), moment, 1, isTaken),
              QStringLiteral("20261207-060509.jpg"));
    EXPECT_EQ(stationPictureName(QStringLiteral("cam-%n"), moment, 42, isTaken),
              QStringLiteral("cam-42.jpg"));
    EXPECT_EQ(stationPictureName(QStringLiteral("100%%-%n"), moment, 7, isTaken),
              QStringLiteral("100%-7.jpg"));
    // Daylight saving ends, or the clock is set back: the same second comes again.
    taken.insert(QStringLiteral("20261207-060509.jpg"));
    taken.insert(QStringLiteral("20261207-060509-2.jpg"));
    EXPECT_EQ(stationPictureName(QStringLiteral("%Y%m%d-%H%M%S"), moment, 2, isTaken),
              QStringLiteral("20261207-060509-3.jpg"));
    EXPECT_EQ(stationPictureName(QStringLiteral("%d/%m"), moment, 1, isTaken),
              QStringLiteral("07_12.jpg"))
        << "a field that prints a slash makes no folder";
}

TEST(StationStateFile, KeepsTheCountersAndTheShotsLeftOnTheCard) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("station-state.json"));
    QString damaged;
    EXPECT_FALSE(StationState::read(path, &damaged).has_value()) << "none yet";
    StationState state;
    state.stored = 120;
    state.counter = 125;
    state.anchor = QDateTime(QDate(2026, 12, 7), QTime(6, 0));
    state.lastGridPoint = 130;
    state.onCard = {
        {QStringLiteral("/DCIM/100CANON/IMG_0042.JPG"), QStringLiteral("cam-123.jpg"), 4, true},
        {QStringLiteral("/DCIM/100CANON/IMG_0043.JPG"), QStringLiteral("cam-124.jpg"), 5, false},
        {QString(), QStringLiteral("cam-125.jpg"), 6, false}}; // not named yet
    state.write(path);
    const auto back = StationState::read(path, &damaged);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, state);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"stored\": 1");
    file.close();
    EXPECT_FALSE(StationState::read(path, &damaged).has_value());
    EXPECT_TRUE(damaged.contains(QStringLiteral("damaged"))) << damaged.toStdString();
}

TEST(StationLogFile, WritesALineAnEventAndRotatesAtItsSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("station.log"));
    ManualClock clock(QDateTime(QDate(2026, 12, 7), QTime(6, 0)));
    {
        StationLog log(path, clock, nullptr);
        log.write(QStringLiteral("shot stored 20261207-060000.jpg"));
        log.write(QStringLiteral("two\nlines"));
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QByteArray("2026-12-07T06:00:00 shot stored 20261207-060000.jpg"));
    EXPECT_EQ(lines[1], QByteArray("2026-12-07T06:00:00 two lines"));
    file.close();

    StationLog log(path, clock, nullptr);
    const QString line(1000, u'x');
    for (int i = 0; i < 2100; ++i)
        log.write(line);
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".1")));
    EXPECT_LE(QFileInfo(path).size(), StationLog::kRotateBytes + 2000);
    EXPECT_LE(QFileInfo(path + QStringLiteral(".1")).size(), StationLog::kRotateBytes + 2000);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "two files, not more";
}

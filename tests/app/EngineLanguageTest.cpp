#include "app/Translations.h"
#include "engine/settings/SettingList.h"
#include "engine/upload/FtpService.h"
#include "support/EngineFixture.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace snapdeck;

namespace {

// The engine on the test's thread with a language's translators installed, as the
// program installs them at its start. Russian again afterwards, as every other test
// expects it.
class EngineLanguageTest : public test::EngineFixture {
protected:
    void TearDown() override {
        EngineFixture::TearDown();
        installTranslations(Language::Russian);
    }
    void speak(Language language) { ASSERT_TRUE(installTranslations(language)); }

    // A capture with a flat battery: the simulated camera's own error, the box's source
    // line and what became of the picture.
    QString flatBatteryBox() {
        load();
        simulated->setBatteryLevel(0);
        engine->capture();
        return messages.shown.empty() ? QString() : messages.shown.back().text;
    }
    // An upload refused before it starts: a setting's caption inside the message.
    QString controlCharacterBox() {
        load();
        FtpSettings ftp;
        ftp.FtpHost = QStringLiteral("example.org\nDELE image.jpg");
        ftp.FtpServiceType = AutoService;
        engine->setFtpSettings(ftp);
        engine->setUploadEnabled(true);
        messages.clear();
        engine->capture();
        return messages.shown.empty() ? QString() : messages.shown.back().text;
    }
};

} // namespace

TEST_F(EngineLanguageTest, AnErrorBoxFromTheCameraReadsInEnglishSourceLineIncluded) {
    speak(Language::English);
    EXPECT_EQ(flatBatteryBox(), QStringLiteral("Camera\r\nThe camera's battery is flat\r\n"
                                               "No picture was taken."));
    EXPECT_EQ(controlCharacterBox(),
              QStringLiteral("The FTP settings' field \"Host name\" holds a control character (a "
                             "line break, for example). The upload was cancelled."));
}

TEST_F(EngineLanguageTest, TheSameBoxesInRussianAreUnchanged) {
    speak(Language::Russian);
    EXPECT_EQ(flatBatteryBox(),
              QStringLiteral("Камера\r\nБатарея камеры разряжена\r\nСнимок не сделан."));
    EXPECT_EQ(controlCharacterBox(),
              QStringLiteral("В поле \"Имя хоста\" настроек FTP есть управляющий символ "
                             "(например, перевод строки). Передача файла отменена."));
}

// What the faces show besides the boxes: the sliders' captions, the lists' entries,
// the connection box and its buttons, the interval line's counts. The lists' own words
// stay Russian underneath: the station's configuration names entries by them.
TEST_F(EngineLanguageTest, TheStateTheFacesShowReadsInEnglish) {
    speak(Language::English);
    load();
    EXPECT_EQ(state().zoom.caption, QStringLiteral("Zoom - 80/240"));
    EXPECT_EQ(state().focus.caption, QStringLiteral("Focus - 0/240"));
    EXPECT_EQ(shownSettingCaptions(SettingList::ExposureMode), (QStringList{"Auto", "Manual"}));
    EXPECT_EQ(shownSettingCaptions(SettingList::WhiteBalance).value(3),
              QStringLiteral("Incandescent"));
    EXPECT_EQ(shownSettingCaptions(SettingList::Shutter).value(15), QStringLiteral("1/30"));
    EXPECT_EQ(settingCaptions(SettingList::ExposureMode), (QStringList{"Авто", "Вручную"}));
    EXPECT_EQ(ftpServiceNames().value(AutoService), QStringLiteral("Auto"));

    messages.answer = [](const Message&) { return 1; }; // "Stop trying"
    simulated->setUnplugged(true);
    engine->capture();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text, QStringLiteral("The camera is not connected!"));
    EXPECT_EQ(messages.shown.front().buttons, (QStringList{"OK", "Stop trying"}));

    EXPECT_EQ(QCoreApplication::translate("IntervalShooting", "Снято %n снимков.", nullptr, 1),
              QStringLiteral("1 picture taken."));
    EXPECT_EQ(QCoreApplication::translate("IntervalShooting", "Снято %n снимков.", nullptr, 3),
              QStringLiteral("3 pictures taken."));
}

// The box for a camera that is not there keeps its line layout in English: the same
// lines, each English, the commands to run unchanged.
TEST_F(EngineLanguageTest, TheCameraNotFoundBoxKeepsItsLinesInEnglish) {
    speak(Language::English);
    cameraConfig.cameras = 0;
    load(true);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QStringList lines = messages.shown[0].text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QStringLiteral("                   No camera found!"));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("gphoto2 --auto-detect")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("gio mount -s gphoto2")));
    for (const QString& line : lines)
        EXPECT_FALSE(line.contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]"))))
            << line.toStdString();
}

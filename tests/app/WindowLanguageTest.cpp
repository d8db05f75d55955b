#include "app/Translations.h"
#include "support/AltLetters.h"
#include "support/WindowFixture.h"
#include "ui/FtpSettingsDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <set>

using namespace snapdeck;

namespace {

// The main window built after the English translation went in, as the program builds it
// under --lang=en. Russian again afterwards, as every other test expects it.
class WindowLanguageTest : public test::WindowFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(installTranslations(Language::English));
        WindowFixture::SetUp();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        installTranslations(Language::Russian);
    }
};

bool hasCyrillic(const QString& text) {
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return text.contains(cyrillic);
}

} // namespace

// Every frame's caption, button, check box, caption, list entry and tooltip of the
// loaded window is English; nothing Russian is left over anywhere a user looks.
TEST_F(WindowLanguageTest, EveryFrameCaptionAndControlOfTheMainWindowIsEnglish) {
    load();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Snapdeck"));
    std::set<QString> titles;
    for (QGroupBox* frame : window->findChildren<QGroupBox*>())
        titles.insert(frame->title());
    const std::set<QString> expected{QStringLiteral("Camera settings"),
                                     QStringLiteral("Camera"),
                                     QStringLiteral("Capture settings"),
                                     QStringLiteral("FTP"),
                                     QStringLiteral("Lens"),
                                     QStringLiteral("Interval shooting")};
    for (const QString& title : titles)
        EXPECT_FALSE(hasCyrillic(title) || title.isEmpty())
            << "frame \"" << title.toStdString() << "\"";
    for (const QString& title : expected)
        EXPECT_TRUE(titles.contains(title)) << "no frame \"" << title.toStdString() << "\"";

    int looked = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                text += list->itemText(i) + u'|';
        for (const QString& shown : {text, widget->toolTip(), widget->accessibleName()}) {
            if (shown.isEmpty())
                continue;
            ++looked;
            EXPECT_FALSE(hasCyrillic(shown))
                << widget->metaObject()->className() << " " << widget->objectName().toStdString()
                << ": \"" << shown.toStdString() << "\"";
        }
    }
    EXPECT_GE(looked, 40);
    EXPECT_EQ(find<QLabel>("zoomCaption")->text(), QStringLiteral("&Zoom - 80/240"));
    EXPECT_EQ(find<QComboBox>("exposureModeList")->itemText(1), QStringLiteral("Manual"));

    // A picture's clipped shares, written with the English decimal mark.
    find<QPushButton>("captureButton")->click();
    waitForPictures();
    const QString clipping = find<QLabel>("clippingLine")->text();
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^Clipped shadows: \\d+\\.\\d %   Clipped highlights: \\d+\\.\\d %$"))
            .match(clipping)
            .hasMatch())
        << clipping.toStdString();
}

// The English captions keep the window's keyboard rule: a button's or a check box's Alt
// letter is its own in the whole window, a caption's is no button's and no other
// caption's of its frame.
TEST_F(WindowLanguageTest, EnglishAltLettersAreUniqueAsTheRussianOnesAre) {
    load();
    const test::AltLetters letters = test::altLettersOf(*window);
    EXPECT_TRUE(letters.faults.isEmpty()) << letters.faults.join(u'\n').toStdString();
    EXPECT_GE(letters.actions, 13);
}

// The settings window names a refused box by its English caption.
TEST_F(WindowLanguageTest, TheFtpSettingsNameARefusedBoxInEnglish) {
    load();
    const std::unique_ptr<FtpSettingsDialog> dialog = window->ftpSettingsDialog();
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameBox"))
        ->setText(QStringLiteral("a/b.jpg"));
    dialog->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("\"File name\"")))
        << messages.shown[0].text.toStdString();
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameBox"))->setText(QStringLiteral("a\nb"));
    dialog->findChild<QPushButton*>(QStringLiteral("saveButton"))->click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.contains(QStringLiteral("\"File name\"")))
        << messages.shown[1].text.toStdString();
}

// The box the user meets when the camera goes away during a capture, as Qt shows it:
// its text and both buttons English.
TEST_F(WindowLanguageTest, TheCameraNotConnectedBoxIsEnglish) {
    load();
    QtMessagePresenter boxes;
    boxes.setParentWindow(window.get());
    QString text;
    QStringList buttons;
    messages.answer = [&](const Message& message) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            text = box->text();
            for (QAbstractButton* button : box->buttons())
                buttons.append(button->text());
            box->buttons().last()->click(); // stop trying
        });
        return boxes.show(message);
    };
    simulated->setUnplugged(true);
    find<QPushButton>("captureButton")->click();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(text, QStringLiteral("The camera is not connected!"));
    EXPECT_EQ(buttons, (QStringList{"OK", "Stop trying"}));
}

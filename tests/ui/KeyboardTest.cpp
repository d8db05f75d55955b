#include "support/AltLetters.h"
#include "support/WindowFixture.h"
#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace snapdeck;

namespace {

class KeyboardTest : public test::WindowFixture {
protected:
    void showLoaded() {
        load();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }
    void press(QWidget* widget, Qt::Key key) {
        QTest::keyClick(widget, key);
        QCoreApplication::processEvents(); // the engine's "done" reaches the buttons
    }
    int captures() const { return int(cameraLog({"takePicture"}).size()); }
    int previews() const { return int(cameraLog({"takePreview"}).size()); }
    // Alt with a letter of any alphabet, as the keyboard sends it.
    void altWith(QChar letter) {
        const auto key = Qt::Key(letter.toUpper().unicode());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::sendKeyEvent(QTest::Press, target, key, QString(letter.toLower()), Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, target, key, QString(letter.toLower()),
                            Qt::AltModifier);
        QCoreApplication::processEvents();
    }
};

} // namespace

// Every button, check box and caption has its Alt letter. A button's or a check box's
// letter is its own in the whole window (Alt with it acts at once); a caption's letter
// is no button's and no other caption's of its frame (Alt with it moves the focus).
TEST_F(KeyboardTest, EveryCaptionHasAnAltLetterAndActionsShareNone) {
    load();
    const test::AltLetters letters = test::altLettersOf(*window);
    EXPECT_TRUE(letters.faults.isEmpty()) << letters.faults.join(u'\n').toStdString();
    EXPECT_GE(letters.actions, 13);
    EXPECT_GE(letters.captions, 17);
}

// Alt with a caption's letter moves to its control; with a check box's letter ticks it.
TEST_F(KeyboardTest, AltWithACaptionsLetterReachesItsControl) {
    showLoaded();
    altWith(u'Р');
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("imageSizeList"));
    altWith(u'У');
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("zoomSlider"));
    auto* buffer = find<QCheckBox>("bufferModeBox");
    const bool wasTicked = buffer->isChecked();
    altWith(u'Б');
    EXPECT_EQ(QApplication::focusWidget(), buffer);
    // A button pressed by its letter shows itself pressed for a moment, then acts.
    for (int wait = 0; wait < 200 && buffer->isChecked() == wasTicked; ++wait)
        QTest::qWait(10);
    EXPECT_NE(buffer->isChecked(), wasTicked);
}

// F8 captures and F5 previews wherever the focus is; Space captures unless the control
// in focus takes Space itself.
TEST_F(KeyboardTest, F8AndSpaceCaptureF5Previews) {
    showLoaded();
    camera->script().clearLog();
    EXPECT_TRUE(find<QPushButton>("captureButton")->toolTip().contains(QStringLiteral("F8")));
    EXPECT_TRUE(find<QPushButton>("previewButton")->toolTip().contains(QStringLiteral("F5")));

    find<QWidget>("intervalBox")->setFocus();
    press(QApplication::focusWidget(), Qt::Key_F8);
    EXPECT_EQ(captures(), 1);
    press(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(previews(), 1);

    find<QWidget>("zoomSlider")->setFocus(); // a slider does nothing with Space
    ASSERT_TRUE(find<QWidget>("captureButton")->isEnabled());
    ASSERT_EQ(QApplication::focusWidget(), find<QWidget>("zoomSlider"));
    press(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(captures(), 2);

    auto* keep = find<QCheckBox>("keepOnCardBox"); // a check box ticks with Space
    keep->setFocus();
    const bool wasTicked = keep->isChecked();
    press(keep, Qt::Key_Space);
    EXPECT_NE(keep->isChecked(), wasTicked);
    auto* interval = find<QWidget>("intervalBox"); // a text box types it
    interval->setFocus();
    press(interval, Qt::Key_Space);
    EXPECT_EQ(captures(), 2);
}

// Tab reaches the battery bar: it must show that it has the focus.
TEST_F(KeyboardTest, TheBatteryBarShowsItsFocus) {
    showLoaded();
    auto* bar = find<QProgressBar>("batteryBar");
    QWidget* before = find<QWidget>("picturesRemainingValue");
    before->setFocus();
    QCoreApplication::processEvents();
    const QImage without = bar->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar->hasFocus());
    EXPECT_NE(bar->grab().toImage(), without);
}

// Screen readers announce each status value with its caption; before the camera
// answers the values are dashes, not made-up words.
TEST_F(KeyboardTest, StatusValuesAreAnnouncedWithTheirCaptions) {
    create();
    const auto name = [&](const char* value) { return find<QWidget>(value)->accessibleName(); };
    EXPECT_EQ(find<QLabel>("picturesRemainingValue")->text(), QStringLiteral("—"));
    EXPECT_EQ(name("picturesRemainingValue"), QStringLiteral("Кадров осталось: —"));
    EXPECT_EQ(name("modelValue"), QStringLiteral("Модель: —"));
    host->engine().load();
    window->stateChanged(host->engine().state());
    const EngineState& state = host->engine().state();
    ASSERT_TRUE(state.picturesRemaining);
    EXPECT_EQ(name("picturesRemainingValue"),
              QStringLiteral("Кадров осталось: %1").arg(*state.picturesRemaining));
    EXPECT_EQ(name("picturesOnCardValue"),
              QStringLiteral("Кадров записано: %1").arg(*state.picturesOnCard));
    EXPECT_EQ(name("modelValue"), QStringLiteral("Модель: ") + state.model);
}

// However small the user makes the window, every caption and button stays whole and
// nothing lies over the pictures.
TEST_F(KeyboardTest, TheSmallestWindowKeepsEveryTextWhole) {
    showLoaded();
    window->resize(200, 150);
    QCoreApplication::processEvents();
    const auto whole = [&](QWidget* widget) {
        return widget->width() >= widget->sizeHint().width() &&
               widget->height() >= widget->minimumSizeHint().height();
    };
    int looked = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const auto* label = qobject_cast<QLabel*>(widget);
        if (!(label && !label->wordWrap() && !label->text().isEmpty()) &&
            !qobject_cast<QAbstractButton*>(widget))
            continue;
        if (widget->objectName() == QStringLiteral("modelValue"))
            continue; // a long model name is cut on purpose
        ++looked;
        EXPECT_TRUE(whole(widget))
            << widget->metaObject()->className() << " " << widget->objectName().toStdString()
            << " \""
            << withoutMnemonic(label ? label->text()
                                     : qobject_cast<QAbstractButton*>(widget)->text())
                   .toStdString()
            << "\" " << widget->width() << " < " << widget->sizeHint().width();
    }
    EXPECT_GE(looked, 30);
    const QRect picture = find<QWidget>("lastPictureBox")->geometry();
    for (const char* name : {"previewButton", "captureButton", "liveViewBox"}) {
        QWidget* button = find<QWidget>(name);
        const QRect where(button->mapTo(window->centralWidget(), QPoint(0, 0)), button->size());
        EXPECT_FALSE(where.intersects(picture)) << name;
    }
}

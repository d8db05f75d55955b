#include "ui/Accessibility.h"
#include "support/WindowFixture.h"
#include "ui/QtMessagePresenter.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace snapdeck;

namespace {

class AccessibilityTest : public test::WindowFixture {
protected:
    // Keyboard focus needs a shown, active window.
    void showLoaded() {
        load();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }
    // The label whose buddy the control is; null when none is.
    QLabel* captionOf(const QWidget* control) const {
        for (QLabel* label : window->findChildren<QLabel*>())
            if (label->buddy() == control)
                return label;
        return nullptr;
    }
};

} // namespace

// Every control a user works with can be reached with Tab and is announced by name.
TEST_F(AccessibilityTest, EveryControlIsReachableByKeyboardAndNamed) {
    load();
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* widget : widgets) {
        const bool control = qobject_cast<QAbstractButton*>(widget) ||
                             qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                             qobject_cast<QAbstractSlider*>(widget);
        if (!control || widget->parent() == nullptr || qobject_cast<QComboBox*>(widget->parent()))
            continue;
        // Qt's own parts, such as the scroll bars inside a list's popup.
        if (widget->objectName().startsWith(QLatin1String("qt_")) ||
            widget->parentWidget()->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++checked;
        const std::string what =
            widget->metaObject()->className() + (" " + widget->objectName().toStdString());
        EXPECT_TRUE(widget->focusPolicy() & Qt::TabFocus) << what;
        QString name = widget->accessibleName();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            name += button->text();
        EXPECT_FALSE(name.trimmed().isEmpty()) << what;
    }
    EXPECT_GE(checked, 40) << "every control of the window was looked at";
}

// A caption beside a control is its buddy (Alt with the caption's letter, screen
// readers) and the control is announced by the caption's words. The lens captions
// change with the lens, so their sliders carry the steady part.
TEST_F(AccessibilityTest, CaptionsAreTheBuddiesOfTheirControlsAndNameThem) {
    load();
    const std::pair<const char*, const char*> named[] = {
        {"imageSizeList", "Размер изображения"},
        {"exposureModeList", "Режим экспозиции"},
        {"whiteBalanceList", "Баланс белого"},
        {"flashList", "Режим вспышки"},
        {"shutterList", "Значение выдержки"},
        {"apertureList", "Значение диафрагмы"},
        {"isoList", "Светочувствительность"},
        {"monitorList", "Режим экрана"},
        {"focusModeList", "Режим фокусировки"},
        {"intervalBox", "Интервал"},
        {"modelValue", "Модель"},
        {"picturesOnCardValue", "Кадров записано"},
        {"picturesRemainingValue", "Кадров осталось"},
        {"batteryBar", "Батарея"},
    };
    for (const auto& [name, caption] : named) {
        QWidget* control = find<QWidget>(name);
        ASSERT_NE(control, nullptr);
        const QLabel* label = captionOf(control);
        ASSERT_NE(label, nullptr) << name << " has a caption";
        EXPECT_EQ(withoutMnemonic(label->text()), QString::fromUtf8(caption)) << name;
        // A value is announced with its caption ("Кадров осталось: 400").
        EXPECT_TRUE(control->accessibleName().startsWith(QString::fromUtf8(caption))) << name;
    }

    EXPECT_EQ(captionOf(find<QWidget>("zoomSlider")), find<QLabel>("zoomCaption"));
    EXPECT_EQ(find<QWidget>("zoomSlider")->accessibleName(), QStringLiteral("Увеличение"));
    EXPECT_EQ(captionOf(find<QWidget>("focusSlider")), find<QLabel>("focusCaption"));
    EXPECT_EQ(find<QWidget>("focusSlider")->accessibleName(), QStringLiteral("Фокусировка"));
    // The row "Начать" leads into its first box; each box says which part it holds.
    ASSERT_NE(captionOf(find<QWidget>("startDayBox")), nullptr);
    EXPECT_EQ(captionOf(find<QWidget>("startDayBox"))->text(), QStringLiteral("На&чать"));
    EXPECT_EQ(find<QWidget>("startDayBox")->accessibleName(), QStringLiteral("Начать - день"));
    EXPECT_EQ(find<QWidget>("stopYearBox")->accessibleName(), QStringLiteral("Остановить - год"));
    EXPECT_EQ(find<QWidget>("transferBar")->accessibleName(), QStringLiteral("Передача файла"));
}

// Tab, pressed again and again from "Просмотр", walks the window in reading order: the
// buttons and capture options, the camera's settings, the lens, the schedule row by
// row, the upload, the camera's status; then the large picture (the focus check), which
// heads the window, and round to the start.
TEST_F(AccessibilityTest, TabWalksEveryControlInReadingOrder) {
    showLoaded();
    // After start-up the focus slider is locked (automatic focus) and so are the shutter
    // and aperture lists (automatic exposure): Tab passes them by.
    ASSERT_FALSE(find<QWidget>("focusSlider")->isEnabled());
    ASSERT_FALSE(find<QWidget>("shutterList")->isEnabled());
    ASSERT_FALSE(find<QWidget>("apertureList")->isEnabled());
    const QString expected = QStringLiteral(
        "previewButton liveViewBox captureButton bufferModeBox keepOnCardBox overwriteBox "
        "imageSizeList exposureModeList whiteBalanceList flashList isoList monitorList "
        "focusModeList zoomSlider "
        "intervalShootingBox intervalBox "
        "startDayBox startMonthBox startYearBox startHourBox startMinuteBox startSecondBox "
        "stopAtMomentBox stopDayBox stopMonthBox stopYearBox stopHourBox stopMinuteBox "
        "stopSecondBox stopAfterCountBox countBox dailyWindowBox windowBeginHourBox "
        "windowBeginMinuteBox windowEndHourBox windowEndMinuteBox "
        "ftpSettingsButton uploadBox backgroundUploadBox "
        "modelValue picturesOnCardValue picturesRemainingValue batteryBar lastPictureBox");

    QWidget* start = find<QWidget>("previewButton");
    start->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(start->hasFocus());
    QStringList walked{start->objectName()};
    for (int step = 0; step < 100; ++step) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << "after " << walked.join(u' ').toStdString();
        QTest::keyClick(focused, Qt::Key_Tab);
        QCoreApplication::processEvents();
        focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        if (focused == start)
            break;
        walked.append(focused->objectName());
    }
    EXPECT_EQ(walked.join(u' '), expected);
    EXPECT_TRUE(start->hasFocus()) << "Tab came round to the start";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST(MessageBoxes, AreTopLevelWindowsWithTheirTitleTextAndButtons) {
    QWidget owner;
    owner.show();
    QtMessagePresenter presenter;
    presenter.setParentWindow(&owner);
    QString title, text;
    bool topLevel = false;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        topLevel = box->isWindow();
        title = box->windowTitle();
        text = box->text();
        for (QAbstractButton* button : box->buttons())
            buttons.append(button->text());
        box->buttons().last()->click();
    });
    Message message;
    message.text = QStringLiteral("Источник\r\nОписание\r\n26");
    message.buttons = {QStringLiteral("OK"), QStringLiteral("Прекратить попытки")};
    const int chosen = presenter.show(message);
    EXPECT_TRUE(topLevel);
    EXPECT_EQ(title, QStringLiteral("Snapdeck"));
    EXPECT_EQ(text, QStringLiteral("Источник\nОписание\n26"));
    EXPECT_EQ(buttons.size(), 2);
    EXPECT_EQ(chosen, 1);
}

// A box raised from the FTP settings belongs to that window, so it shows on top of it.
TEST(MessageBoxes, BelongToTheWindowTheUserIsIn) {
    QWidget owner;
    owner.show();
    QtMessagePresenter presenter;
    presenter.setParentWindow(&owner);
    QDialog dialog(&owner);
    QWidget* boxOwner = nullptr;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            boxOwner = box->parentWidget();
            box->buttons().first()->click();
        });
        presenter.show(Message{QStringLiteral("Неверный порт")});
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(boxOwner, &dialog);
}

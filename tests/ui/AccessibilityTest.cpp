#include "app/QtMessagePresenter.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace snapdeck;

namespace {
using AccessibilityTest = test::WindowFixture;
}

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

TEST_F(AccessibilityTest, CaptionsAreTheBuddiesOfTheirControls) {
    load();
    for (const char* name : {"combReso", "combShutter", "txtInterval", "scrollZoom", "PicCnt"}) {
        QWidget* control = find<QWidget>(name);
        bool hasBuddy = false;
        for (QLabel* label : window->findChildren<QLabel*>())
            hasBuddy = hasBuddy || label->buddy() == control;
        EXPECT_TRUE(hasBuddy) << name;
    }
    EXPECT_EQ(find<QWidget>("combReso")->accessibleName(), QStringLiteral("Размер изображения"));
    EXPECT_EQ(find<QWidget>("scrollZoom")->accessibleName(), QStringLiteral("Увеличение"));
}

TEST_F(AccessibilityTest, TabGoesThroughTheFramesInReadingOrder) {
    load();
    // The buttons and capture options, the camera's settings, the lens, the schedule,
    // the upload, the camera's status.
    const std::vector<QWidget*> frames{window->cmdPreview,      find<QWidget>("Frame6"),
                                       find<QWidget>("Frame1"), find<QWidget>("Frame2"),
                                       find<QWidget>("Frame3"), find<QWidget>("Frame5"),
                                       find<QWidget>("Frame4")};
    // Where each frame is first met along the focus chain.
    std::vector<int> firstMet(frames.size(), -1);
    int step = 0;
    for (QWidget* widget = window->cmdPreview; step == 0 || widget != window->cmdPreview;
         widget = widget->nextInFocusChain(), ++step) {
        ASSERT_LT(step, 1000);
        for (std::size_t i = 0; i < frames.size(); ++i)
            if (firstMet[i] < 0 && (widget == frames[i] || frames[i]->isAncestorOf(widget)) &&
                (widget->focusPolicy() & Qt::TabFocus))
                firstMet[i] = step;
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        ASSERT_GE(firstMet[i], 0) << frames[i]->objectName().toStdString();
        if (i > 0) {
            EXPECT_LT(firstMet[i - 1], firstMet[i]) << frames[i]->objectName().toStdString();
        }
    }
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

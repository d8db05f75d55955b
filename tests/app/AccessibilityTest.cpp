#include "app/QtMessagePresenter.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
        const std::string what = widget->metaObject()->className() + (" " + widget->objectName().toStdString());
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

#include "support/WindowFixture.h"
#include "ui/QtMessagePresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace snapdeck;

namespace {

// The entry aids of the six boxes of "Начать", worked with real keys and mouse clicks.
class StartMomentBoxesTest : public test::WindowFixture {
protected:
    // Focus events need a shown, active window.
    void showLoaded() {
        load();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        settle();
        day = find<QLineEdit>("startDayBox");
        month = find<QLineEdit>("startMonthBox");
        year = find<QLineEdit>("startYearBox");
        hour = find<QLineEdit>("startHourBox");
        minute = find<QLineEdit>("startMinuteBox");
        second = find<QLineEdit>("startSecondBox");
        ASSERT_TRUE(day && month && year && hour && minute && second);
    }
    // Lets the deferred selections and checks run.
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    static void click(QLineEdit* box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(4, box->height() / 2));
        settle();
    }
    static void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(widget, key, modifiers);
        settle();
    }
    static void enter(QLineEdit* box) { press(box, Qt::Key_Return); }
    static void leaveByTab(QLineEdit* box) { press(box, Qt::Key_Tab); }
    // Types "text" over what the box holds, as a user does: into a box already entered
    // (its text selected), or clicking it first; Ctrl+A where nothing is selected.
    static void type(QLineEdit* box, const QString& text) {
        if (!box->hasFocus())
            click(box);
        if (!wholeTextSelected(box))
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : text) {
            const Qt::Key key =
                c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, box, key, QString(c), Qt::NoModifier);
        }
        settle();
    }
    static bool wholeTextSelected(QLineEdit* box) {
        return box->hasSelectedText() && box->selectedText() == box->text() &&
               box->selectionStart() == 0;
    }

    QLineEdit *day = nullptr, *month = nullptr, *year = nullptr, *hour = nullptr, *minute = nullptr,
              *second = nullptr;
};

} // namespace

TEST_F(StartMomentBoxesTest, EnteringABoxSelectsAllOfItsTextByMouseTabOrProgram) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    year->setText(QStringLiteral("2026"));
    hour->setText(QStringLiteral("7"));
    second->setText(QStringLiteral("12345"));

    day->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(wholeTextSelected(day));
    click(year);
    ASSERT_TRUE(year->hasFocus());
    EXPECT_TRUE(wholeTextSelected(year)) << "selected after the click placed the cursor";
    press(year, Qt::Key_Tab);
    ASSERT_TRUE(hour->hasFocus());
    EXPECT_TRUE(wholeTextSelected(hour));
    click(second);
    EXPECT_TRUE(wholeTextSelected(second));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();

    // Typing replaces the selected text.
    type(second, QStringLiteral("9"));
    EXPECT_EQ(second->text(), QStringLiteral("9"));

    // The stop boxes have no entry aid of their own: a click places the cursor.
    auto* stopDay = find<QLineEdit>("stopDayBox");
    click(stopDay);
    ASSERT_TRUE(stopDay->hasFocus());
    EXPECT_FALSE(stopDay->hasSelectedText());
}

TEST_F(StartMomentBoxesTest, EnterPadsTheNumberAndMovesAlongTheRow) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    type(day, QStringLiteral("7"));
    enter(day);
    EXPECT_EQ(day->text(), QStringLiteral("07"));
    EXPECT_TRUE(month->hasFocus());
    EXPECT_TRUE(wholeTextSelected(month));

    type(month, QStringLiteral(" 2.6 "));
    enter(month);
    EXPECT_EQ(month->text(), QStringLiteral("03"));
    EXPECT_TRUE(year->hasFocus());
    type(year, QStringLiteral("2027"));
    enter(year);
    EXPECT_EQ(year->text(), QStringLiteral("2027"));
    EXPECT_TRUE(hour->hasFocus());
    type(hour, QStringLiteral("9,5"));
    enter(hour);
    EXPECT_EQ(hour->text(), QStringLiteral("10")) << "a decimal comma counts too";
    EXPECT_TRUE(minute->hasFocus());
    type(minute, QStringLiteral("полдень"));
    enter(minute);
    EXPECT_EQ(minute->text(), QStringLiteral("полдень")) << "not a number: left as typed";
    EXPECT_TRUE(second->hasFocus());
    type(second, QStringLiteral("4"));
    enter(second);
    EXPECT_EQ(second->text(), QStringLiteral("04"));
    EXPECT_TRUE(second->hasFocus()) << "the last box keeps the focus";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(StartMomentBoxesTest, LeavingABoxChecksItsRange) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    struct Case {
        QLineEdit* box;
        const char* text;
        const char* refusal; // empty: accepted
    };
    const Case cases[] = {
        {day, "0", "Неверно указано число!"},
        {day, "1.5", ""},
        {day, "31", ""},
        {day, "31.5", "Неверно указано число!"},
        {day, "день", "Неверно указано число!"},
        {month, "0", "Неверно указан месяц!"},
        {month, "12", ""},
        {month, "13", "Неверно указан месяц!"},
        {year, "2051", "Неверно указан год!"},
        {year, "2050", ""},
        {year, "2006", ""},
        {year, "2005", "Неверно указан год!"},
        {hour, "24", "Неверно указан час!"},
        {hour, "23", ""},
        {hour, "час", ""},
        {hour, "-1", "Неверно указан час!"},
        {minute, "60", "Неверно указаны минуты!"},
        {minute, "59", ""},
        {second, "60", "Неверно указаны секунды!"},
        {second, "0", ""},
    };
    for (const Case& c : cases) {
        messages.clear();
        const QString text = QString::fromUtf8(c.text);
        type(c.box, text);
        leaveByTab(c.box);
        const QString refusal = QString::fromUtf8(c.refusal);
        const std::string what = c.box->objectName().toStdString() + " " + c.text;
        EXPECT_EQ(c.box->text(), text) << what << ": never changed";
        if (refusal.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty()) << what;
            EXPECT_FALSE(c.box->hasFocus()) << what << ": the focus went on";
            continue;
        }
        ASSERT_EQ(messages.texts(), QStringList{refusal}) << what;
        EXPECT_EQ(messages.shown[0].buttons, QStringList{QStringLiteral("OK")});
        EXPECT_TRUE(c.box->hasFocus()) << what << ": the focus is back";
        EXPECT_TRUE(wholeTextSelected(c.box)) << what;
        // Corrected by typing over the selection: valid everywhere but the year.
        type(c.box, c.box == year ? QStringLiteral("2026") : QStringLiteral("1"));
    }
}

TEST_F(StartMomentBoxesTest, AYearPaddedByEnterIsCheckedAsPadded) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    hour->setText(QStringLiteral("99")); // refused too, but the user never left it
    type(year, QStringLiteral("26"));
    enter(year);
    EXPECT_EQ(year->text(), QStringLiteral("0026"));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Неверно указан год!")})
        << "putting the focus back is not leaving the hour box";
    EXPECT_TRUE(year->hasFocus());
    EXPECT_TRUE(wholeTextSelected(year));

    // Leaving again, backwards this time, repeats the check.
    press(year, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(year->hasFocus());
}

// With real message boxes: the box takes the focus and gives it back; neither is the
// user leaving a start box, so one refusal shows one message.
TEST_F(StartMomentBoxesTest, TheMessageBoxTakingTheFocusIsNotLeavingTheBox) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    QtMessagePresenter real;
    real.setParentWindow(window.get());
    bool focusLeftWindow = false;
    messages.answer = [&](const Message& message) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->activateWindow();
            QApplication::setActiveWindow(box);
            QApplication::processEvents();
            focusLeftWindow = !hour->hasFocus() && !year->hasFocus();
            box->buttons().first()->click();
        });
        return real.show(message);
    };
    hour->setText(QStringLiteral("99"));
    type(year, QStringLiteral("2051"));
    enter(year);
    QApplication::setActiveWindow(window.get());
    settle();
    messages.answer = nullptr;
    EXPECT_TRUE(focusLeftWindow) << "the message box had the focus";
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Неверно указан год!")});
    EXPECT_TRUE(year->hasFocus());
    EXPECT_TRUE(wholeTextSelected(year));
}

TEST_F(StartMomentBoxesTest, SwitchingToAnotherWindowIsNotLeavingTheBox) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    type(day, QStringLiteral("0"));
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    settle();
    ASSERT_FALSE(day->hasFocus());
    EXPECT_TRUE(messages.shown.empty());

    QApplication::setActiveWindow(window.get());
    settle();
    EXPECT_TRUE(day->hasFocus());
    EXPECT_EQ(day->text(), QStringLiteral("0"));
    EXPECT_FALSE(day->hasSelectedText()) << "coming back is not entering the box";
    EXPECT_TRUE(messages.shown.empty());
}

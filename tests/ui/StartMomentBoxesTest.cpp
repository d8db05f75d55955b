#include "app/QtMessagePresenter.h"
#include "schedule/ScheduleFrame.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace snapdeck;

namespace {

class StartMomentBoxesTest : public test::WindowFixture {
protected:
    // Focus events need a shown, active window.
    ScheduleFrame& shownFrame() {
        load();
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        settle();
        return *window->scheduleFrame;
    }
    // Lets the deferred selections and checks run.
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    static void enter(QLineEdit* box) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(box, &release);
        settle();
    }
    static void type(QLineEdit* box, const char* text) {
        box->setFocus(Qt::OtherFocusReason);
        box->setText(QString::fromUtf8(text));
    }
    static void click(QLineEdit* box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(4, box->height() / 2));
        settle();
    }
    static bool wholeTextSelected(QLineEdit* box) {
        return box->hasSelectedText() && box->selectedText() == box->text() &&
               box->selectionStart() == 0;
    }
};

} // namespace

TEST_F(StartMomentBoxesTest, EnteringABoxSelectsAllOfItsTextByMouseTabOrProgram) {
    ScheduleFrame& f = shownFrame();
    f.DBY->setText(QStringLiteral("2026"));
    f.TBH->setText(QStringLiteral("7"));
    f.TBS->setText(QStringLiteral("12345"));

    f.DBD->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(wholeTextSelected(f.DBD));
    click(f.DBY);
    ASSERT_TRUE(f.DBY->hasFocus());
    EXPECT_TRUE(wholeTextSelected(f.DBY)) << "selected after the click placed the cursor";
    f.TBH->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(wholeTextSelected(f.TBH));
    click(f.TBS);
    EXPECT_TRUE(wholeTextSelected(f.TBS));
    EXPECT_TRUE(messages.shown.empty());

    // The stop boxes have no entry aid of their own: a click places the cursor.
    click(f.DSD);
    EXPECT_FALSE(f.DSD->hasSelectedText());
}

TEST_F(StartMomentBoxesTest, EnterPadsTheNumberAndMovesAlongTheRow) {
    ScheduleFrame& f = shownFrame();
    type(f.DBD, "7");
    enter(f.DBD);
    EXPECT_EQ(f.DBD->text(), QStringLiteral("07"));
    EXPECT_TRUE(f.DBM->hasFocus());
    EXPECT_TRUE(wholeTextSelected(f.DBM));

    type(f.DBM, " 2.6 ");
    enter(f.DBM);
    EXPECT_EQ(f.DBM->text(), QStringLiteral("03"));
    EXPECT_TRUE(f.DBY->hasFocus());
    type(f.DBY, "2027");
    enter(f.DBY);
    EXPECT_EQ(f.DBY->text(), QStringLiteral("2027"));
    EXPECT_TRUE(f.TBH->hasFocus());
    type(f.TBH, "9,5");
    enter(f.TBH);
    EXPECT_EQ(f.TBH->text(), QStringLiteral("10")) << "a decimal comma counts too";
    EXPECT_TRUE(f.TBM->hasFocus());
    type(f.TBM, "полдень");
    enter(f.TBM);
    EXPECT_EQ(f.TBM->text(), QStringLiteral("полдень")) << "not a number: left as typed";
    EXPECT_TRUE(f.TBS->hasFocus());
    type(f.TBS, "4");
    enter(f.TBS);
    EXPECT_EQ(f.TBS->text(), QStringLiteral("04"));
    EXPECT_TRUE(f.TBS->hasFocus()) << "the last box keeps the focus";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(StartMomentBoxesTest, LeavingABoxChecksItsRange) {
    ScheduleFrame& f = shownFrame();
    struct Case {
        QLineEdit* box;
        const char* text;
        const char* refusal; // empty: accepted
    };
    const Case cases[] = {
        {f.DBD, "0", "Неверно указано число!"},
        {f.DBD, "1.5", ""},
        {f.DBD, "31", ""},
        {f.DBD, "31.5", "Неверно указано число!"},
        {f.DBD, "день", "Неверно указано число!"},
        {f.DBM, "0", "Неверно указан месяц!"},
        {f.DBM, "12", ""},
        {f.DBM, "13", "Неверно указан месяц!"},
        {f.DBY, "2051", "Неверно указан год!"},
        {f.DBY, "2050", ""},
        {f.DBY, "2006", ""},
        {f.DBY, "2005", "Неверно указан год!"},
        {f.TBH, "24", "Неверно указан час!"},
        {f.TBH, "23", ""},
        {f.TBH, "час", ""},
        {f.TBH, "-1", "Неверно указан час!"},
        {f.TBM, "60", "Неверно указаны минуты!"},
        {f.TBM, "59", ""},
        {f.TBS, "60", "Неверно указаны секунды!"},
        {f.TBS, "0", ""},
    };
    for (const Case& c : cases) {
        messages.clear();
        type(c.box, c.text);
        f.txtInterval->setFocus(Qt::TabFocusReason);
        settle();
        const QString refusal = QString::fromUtf8(c.refusal);
        const std::string what = c.box->objectName().toStdString() + " " + c.text;
        EXPECT_EQ(c.box->text(), QString::fromUtf8(c.text)) << what << ": never changed";
        if (refusal.isEmpty()) {
            EXPECT_TRUE(messages.shown.empty()) << what;
            EXPECT_TRUE(f.txtInterval->hasFocus()) << what;
            continue;
        }
        ASSERT_EQ(messages.texts(), QStringList{refusal}) << what;
        EXPECT_EQ(messages.shown[0].buttons, QStringList{QStringLiteral("OK")});
        EXPECT_TRUE(c.box->hasFocus()) << what << ": the focus is back";
        EXPECT_TRUE(wholeTextSelected(c.box)) << what;
        c.box->setText(QStringLiteral("1")); // valid everywhere but the year
        if (c.box == f.DBY)
            c.box->setText(QStringLiteral("2026"));
    }
}

TEST_F(StartMomentBoxesTest, AYearPaddedByEnterIsCheckedAsPadded) {
    ScheduleFrame& f = shownFrame();
    f.TBH->setText(QStringLiteral("99")); // refused too, but the user never left it
    type(f.DBY, "26");
    enter(f.DBY);
    EXPECT_EQ(f.DBY->text(), QStringLiteral("0026"));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Неверно указан год!")})
        << "putting the focus back is not leaving the hour box";
    EXPECT_TRUE(f.DBY->hasFocus());
    EXPECT_TRUE(wholeTextSelected(f.DBY));

    // Leaving again repeats the check.
    f.DBD->setFocus(Qt::BacktabFocusReason);
    settle();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(f.DBY->hasFocus());
}

// With real message boxes: the box takes the focus and gives it back; neither is the
// user leaving a start box, so one refusal shows one message.
TEST_F(StartMomentBoxesTest, TheMessageBoxTakingTheFocusIsNotLeavingTheBox) {
    ScheduleFrame& f = shownFrame();
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
            focusLeftWindow = !f.TBH->hasFocus() && !f.DBY->hasFocus();
            box->buttons().first()->click();
        });
        return real.show(message);
    };
    f.TBH->setText(QStringLiteral("99"));
    type(f.DBY, "2051");
    enter(f.DBY);
    QApplication::setActiveWindow(window.get());
    settle();
    messages.answer = nullptr;
    EXPECT_TRUE(focusLeftWindow) << "the message box had the focus";
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Неверно указан год!")});
    EXPECT_TRUE(f.DBY->hasFocus());
    EXPECT_TRUE(wholeTextSelected(f.DBY));
}

TEST_F(StartMomentBoxesTest, SwitchingToAnotherWindowIsNotLeavingTheBox) {
    ScheduleFrame& f = shownFrame();
    type(f.DBD, "0");
    settle();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    settle();
    ASSERT_FALSE(f.DBD->hasFocus());
    EXPECT_TRUE(messages.shown.empty());

    QApplication::setActiveWindow(window.get());
    settle();
    EXPECT_TRUE(f.DBD->hasFocus());
    EXPECT_EQ(f.DBD->text(), QStringLiteral("0"));
    EXPECT_FALSE(f.DBD->hasSelectedText()) << "coming back is not entering the box";
    EXPECT_TRUE(messages.shown.empty());
}

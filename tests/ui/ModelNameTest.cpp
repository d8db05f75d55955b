#include "support/WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

using namespace snapdeck;

namespace {

class ModelNameTest : public test::WindowFixture {
protected:
    void showLoaded() {
        load();
        window->show();
        QCoreApplication::processEvents();
    }
    void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(widget, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(widget, &up);
    }
};

} // namespace

// A camera may name itself at any length (a camera.ini, a camera's own setting): the
// frame "Камера" shows what fits instead of widening the window past the screen, and
// the whole name stays readable, by tooltip, screen reader and keyboard.
TEST_F(ModelNameTest, ALongModelIsCutShortOnScreenAndTheWindowKeepsItsWidth) {
    showLoaded();
    const int usualWidth = window->width();
    const int usualMinimum = window->minimumSizeHint().width();
    window.reset();

    cameraConfig.model = QString(10000, u'W');
    showLoaded();
    EXPECT_EQ(window->width(), usualWidth);
    EXPECT_LE(window->minimumSizeHint().width(), usualMinimum);

    QLabel* model = find<QLabel>("lblModel");
    EXPECT_LT(model->width(), model->fontMetrics().horizontalAdvance(cameraConfig.model));
    EXPECT_FALSE(model->grab().isNull());
    // Compared whole; a failure need not print 10,000 letters.
    EXPECT_TRUE(model->text() == cameraConfig.model);
    EXPECT_TRUE(model->toolTip() == cameraConfig.model);
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(model);
    ASSERT_NE(reading, nullptr);
    EXPECT_TRUE(reading->text(QAccessible::Description) == cameraConfig.model);

    EXPECT_TRUE(model->focusPolicy() & Qt::TabFocus);
    model->setFocus(Qt::TabFocusReason);
    press(model, Qt::Key_A, Qt::ControlModifier);
    press(model, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text() == cameraConfig.model);
}

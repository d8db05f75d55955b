#include "support/WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>

using namespace snapdeck;

namespace {

class ModelNameTest : public test::WindowFixture {
protected:
    void showLoaded() {
        load();
        window->show();
        QCoreApplication::processEvents();
    }
};

} // namespace

// A camera may name itself at any length (a camera.ini, a camera's own setting): the
// engine keeps the first 64 characters, and the frame "Камера" shows what of them fits
// instead of widening the window past the screen. The name stays readable whole, by
// tooltip, screen reader and keyboard.
TEST_F(ModelNameTest, ALongModelIsCutShortOnScreenAndTheWindowKeepsItsWidth) {
    showLoaded();
    const int usualWidth = window->width();
    const int usualMinimum = window->minimumSizeHint().width();
    window.reset();
    host.reset();

    cameraConfig.model = QString(10000, u'W');
    showLoaded();
    const QString kept(64, u'W');
    EXPECT_EQ(window->width(), usualWidth);
    EXPECT_LE(window->minimumSizeHint().width(), usualMinimum);

    auto* model = find<QLabel>("modelValue");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->text(), kept);
    EXPECT_LT(model->width(), model->fontMetrics().horizontalAdvance(kept)) << "cut short";
    EXPECT_FALSE(model->grab().isNull());
    EXPECT_EQ(model->toolTip(), kept);
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(model);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->text(QAccessible::Description), kept);

    EXPECT_TRUE(model->focusPolicy() & Qt::TabFocus);
    model->setFocus(Qt::TabFocusReason);
    QTest::keyClick(model, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(model, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), kept);
}

#include "support/WindowFixture.h"

#include <QLabel>
#include <QPushButton>

using namespace snapdeck;

namespace {

// What the capture's status line shows while the camera works: at each camera call of
// a capture, the line as the window has it then.
class CaptureStatusLineTest : public test::WindowFixture {
protected:
    void showLoaded() {
        load();
        window->show();
        line = find<QLabel>("captureStatusLine");
        ASSERT_NE(line, nullptr);
        camera->afterCall = [this](const QString& operation) {
            seen.append(operation + u' ' +
                        (line->isVisible() ? line->text() : QStringLiteral("-")));
        };
    }
    void TearDown() override {
        camera->afterCall = nullptr;
        WindowFixture::TearDown();
    }

    QLabel* line = nullptr;
    QStringList seen; // "operation shown text", "-" for a hidden line
};

} // namespace

TEST_F(CaptureStatusLineTest, ShowsTheExposureThenTheCopyAndGoesAfterwards) {
    ASSERT_NO_FATAL_FAILURE(showLoaded());
    ASSERT_FALSE(line->isVisible()) << "hidden until a capture";
    find<QPushButton>("captureButton")->click();
    const QString during = seen.join(u'|');
    EXPECT_TRUE(seen.contains(QStringLiteral("setExposure -"))) << during.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("takePicture Экспозиция..."))) << during.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("pictureCount -"))) << during.toStdString();
    EXPECT_TRUE(seen.contains(QStringLiteral("downloadPicture Запись файла")))
        << during.toStdString();
    EXPECT_FALSE(line->isVisible()) << "gone once the capture is over";
    EXPECT_TRUE(line->text().isEmpty());
}

#include "capture/CaptureOptionsFrame.h"
#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMap>
#include <string>

using namespace snapdeck;

namespace {

// Where every control of the window is, in window coordinates.
QMap<QString, QRect> placesOf(QWidget& window) {
    QMap<QString, QRect> places;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty())
            places.insert(widget->objectName(),
                          QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()));
    }
    return places;
}

class CaptureStatusLineLayoutTest : public test::WindowFixture,
                                    public ::testing::WithParamInterface<QSize> {};

} // namespace

// The capture's status line appears and disappears at every capture; the window around
// it, the picture boxes above all, stays as it is.
TEST_P(CaptureStatusLineLayoutTest, ShowingTheLineMovesNoControl) {
    load();
    if (GetParam().isValid())
        window->resize(GetParam());
    window->show();
    QCoreApplication::processEvents();
    QLabel* line = window->captureFrame->lblStatus;
    const QMap<QString, QRect> before = placesOf(*window);

    line->setText(QStringLiteral("Экспозиция..."));
    line->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(placesOf(*window), before);

    line->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(placesOf(*window), before);
}

// The window as it opens, and on a 1280x800 screen.
INSTANTIATE_TEST_SUITE_P(WindowSizes, CaptureStatusLineLayoutTest,
                         ::testing::Values(QSize(), QSize(1280, 800)),
                         [](const ::testing::TestParamInfo<QSize>& size) {
                             return std::string(size.param.isValid() ? "OnA1280x800Screen"
                                                                     : "AsItOpens");
                         });

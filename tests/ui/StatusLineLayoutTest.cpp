#include "capture/CaptureOptionsFrame.h"
#include "ftp/FtpFrame.h"
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

// The loaded window, at the size of the parameter (none: as it opens).
class StatusLineLayoutTest : public test::WindowFixture,
                             public ::testing::WithParamInterface<QSize> {
protected:
    void showLoaded() {
        load();
        if (GetParam().isValid())
            window->resize(GetParam());
        window->show();
        QCoreApplication::processEvents();
    }
};

} // namespace

// The capture's status line appears and disappears at every capture; the window around
// it, the picture boxes above all, stays as it is.
TEST_P(StatusLineLayoutTest, ShowingTheCaptureLineMovesNoControl) {
    showLoaded();
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

// The FTP status line appears and disappears at every upload; the window around it
// stays as it is.
TEST_P(StatusLineLayoutTest, ShowingTheFtpLineMovesNoControl) {
    showLoaded();
    QLabel* line = window->ftpFrame->lblFTP;
    const QMap<QString, QRect> before = placesOf(*window);

    line->setText(QStringLiteral("Подключаемся к сети..."));
    line->show();
    QCoreApplication::processEvents();
    QMap<QString, QRect> shown = placesOf(*window);
    shown.remove(line->objectName()); // a hidden label keeps the place it was laid out at
    QMap<QString, QRect> hiddenBefore = before;
    hiddenBefore.remove(line->objectName());
    EXPECT_EQ(shown, hiddenBefore);

    line->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(placesOf(*window), before);
}

// The window as it opens, and on a 1280x800 screen.
INSTANTIATE_TEST_SUITE_P(WindowSizes, StatusLineLayoutTest,
                         ::testing::Values(QSize(), QSize(1280, 800)),
                         [](const ::testing::TestParamInfo<QSize>& size) {
                             return std::string(size.param.isValid() ? "OnA1280x800Screen"
                                                                     : "AsItOpens");
                         });

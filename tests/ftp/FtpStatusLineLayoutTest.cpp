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

class FtpStatusLineLayoutTest : public test::WindowFixture,
                                public ::testing::WithParamInterface<QSize> {};

} // namespace

// The FTP status line appears and disappears at every upload; the window around it
// stays as it is.
TEST_P(FtpStatusLineLayoutTest, ShowingTheLineMovesNoControl) {
    load();
    if (GetParam().isValid())
        window->resize(GetParam());
    window->show();
    QCoreApplication::processEvents();
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
INSTANTIATE_TEST_SUITE_P(WindowSizes, FtpStatusLineLayoutTest,
                         ::testing::Values(QSize(), QSize(1280, 800)),
                         [](const ::testing::TestParamInfo<QSize>& size) {
                             return std::string(size.param.isValid() ? "OnA1280x800Screen"
                                                                     : "AsItOpens");
                         });

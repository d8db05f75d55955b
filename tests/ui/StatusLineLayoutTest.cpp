#include "support/WindowFixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMap>
#include <functional>
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
    // The engine's state with one change, as the engine tells it to the window.
    void tellWindow(const std::function<void(EngineState&)>& change) {
        EngineState state = engine().state();
        change(state);
        window->stateChanged(state);
        QCoreApplication::processEvents();
    }
};

} // namespace

// The capture's status line appears and disappears at every capture; the window around
// it, the picture boxes above all, stays as it is.
TEST_P(StatusLineLayoutTest, ShowingTheCaptureLineMovesNoControl) {
    showLoaded();
    auto* line = find<QLabel>("captureStatusLine");
    ASSERT_NE(line, nullptr);
    const QMap<QString, QRect> before = placesOf(*window);

    tellWindow([](EngineState& s) { s.captureStatus = QStringLiteral("Экспозиция..."); });
    ASSERT_TRUE(line->isVisible());
    EXPECT_EQ(line->text(), QStringLiteral("Экспозиция..."));
    EXPECT_EQ(placesOf(*window), before);

    tellWindow([](EngineState& s) { s.captureStatus = QStringLiteral("Запись файла"); });
    EXPECT_EQ(line->text(), QStringLiteral("Запись файла"));
    EXPECT_EQ(placesOf(*window), before);

    tellWindow([](EngineState& s) { s.captureStatus.clear(); });
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(placesOf(*window), before);
}

// The FTP status line appears and disappears at every upload; the window around it
// stays as it is.
TEST_P(StatusLineLayoutTest, ShowingTheFtpLineMovesNoControl) {
    showLoaded();
    auto* line = find<QLabel>("uploadStatusLine");
    ASSERT_NE(line, nullptr);
    const QMap<QString, QRect> before = placesOf(*window);

    tellWindow([](EngineState& s) { s.uploadStatus = QStringLiteral("Подключаемся к сети..."); });
    ASSERT_TRUE(line->isVisible());
    QMap<QString, QRect> shown = placesOf(*window);
    shown.remove(line->objectName()); // a hidden label keeps the place it was laid out at
    QMap<QString, QRect> hiddenBefore = before;
    hiddenBefore.remove(line->objectName());
    EXPECT_EQ(shown, hiddenBefore);

    tellWindow([](EngineState& s) { s.uploadStatus.clear(); });
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(placesOf(*window), before);
}

// The window as it opens, and on a 1280x800 screen.
INSTANTIATE_TEST_SUITE_P(WindowSizes, StatusLineLayoutTest,
                         ::testing::Values(QSize(), QSize(1280, 800)),
                         [](const ::testing::TestParamInfo<QSize>& size) {
                             return std::string(size.param.isValid() ? "OnA1280x800Screen"
                                                                     : "AsItOpens");
                         });

#pragma once

#include <QString>

namespace snapdeck {

class MainWindow;

// Takes one picture, saves the window as a PNG file and closes it; the exit code.
int saveScreenshot(MainWindow& window, const QString& path);

} // namespace snapdeck

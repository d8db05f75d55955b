#pragma once

#include <QString>
#include <functional>

namespace snapdeck {

class EngineHost;
class MainWindow;

// Which window a screenshot shows.
enum class ScreenshotOf { MainWindow, FtpSettings };

// Once start-up is done, takes one picture, saves the window (or the FTP settings
// window over it) as a PNG file and closes the window; "finished" receives the exit
// code before the window closes.
void saveScreenshotWhenReady(MainWindow& window, EngineHost& engine, const QString& path,
                             ScreenshotOf of, std::function<void(int)> finished);

} // namespace snapdeck

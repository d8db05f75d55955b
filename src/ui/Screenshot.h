#pragma once

#include <QString>
#include <functional>

namespace snapdeck {

class EngineHost;
class MainWindow;

// Once start-up is done, takes one picture, saves the window as a PNG file and closes
// the window; "finished" receives the exit code before the window closes.
void saveScreenshotWhenReady(MainWindow& window, EngineHost& engine, const QString& path,
                             std::function<void(int)> finished);

} // namespace snapdeck

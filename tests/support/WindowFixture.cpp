#include "WindowFixture.h"

#include "common/ProgramExit.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QElapsedTimer>

namespace snapdeck::test {

void WindowFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    folder.emplace(dir.path());
    setProgramEndHandler([this](int code) { programEnds.push_back(code); });
}

void WindowFixture::TearDown() {
    window.reset();
    host.reset();
    setProgramEndHandler({});
}

MainWindow& WindowFixture::create() {
    simulated = std::make_unique<SimulatedCamera>(cameraConfig);
    camera = std::make_unique<ScriptedCamera>(*simulated);
    host = std::make_unique<EngineHost>(
        std::make_unique<Engine>(EngineServices{*camera, messages, clock, *folder,
                                                QLocale(QLocale::Russian, QLocale::Russia)},
                                 ftp),
        EngineHost::Threading::CallersThread);
    window = std::make_unique<MainWindow>(*host, messages, ftp, *folder);
    host->engine().setObserver(*window);
    return *window;
}

MainWindow& WindowFixture::load(bool keepLog) {
    create();
    window->load();
    if (!keepLog) {
        camera->script().clearLog();
        messages.clear();
    }
    return *window;
}

void WindowFixture::waitForPictures() {
    QElapsedTimer waited;
    waited.start();
    const auto decoding = [this] {
        for (PictureBox* box : window->findChildren<PictureBox*>())
            if (box->decoding())
                return true;
        return false;
    };
    while (decoding() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(decoding()) << "the picture boxes still decode after 5 s";
}

} // namespace snapdeck::test

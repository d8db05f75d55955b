#include "WindowFixture.h"

#include "common/ProgramExit.h"

#include <QDir>
#include <QFile>

namespace snapdeck::test {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WindowFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    folder.emplace(dir.path());
    setProgramEndHandler([this](int code) { programEnds.push_back(code); });
}

void WindowFixture::TearDown() {
    window.reset();
    setProgramEndHandler({});
}

MainWindow& WindowFixture::create() {
    camera = std::make_unique<SimulatedCamera>(cameraConfig);
    services.emplace(
        Services{*camera, messages, clock, *folder, QLocale(QLocale::Russian, QLocale::Russia)});
    window = std::make_unique<MainWindow>(*services, globals);
    return *window;
}

MainWindow& WindowFixture::load(bool keepLog) {
    create();
    window->Form_Load();
    if (!keepLog) {
        camera->script().clearLog();
        messages.clear();
    }
    return *window;
}

QStringList WindowFixture::filesInFolder() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace snapdeck::test

#include "EngineFixture.h"

#include "common/ProgramExit.h"

#include <QDir>
#include <QFile>

namespace snapdeck::test {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void EngineFixture::SetUp() {
    ASSERT_TRUE(dir.isValid());
    folder.emplace(dir.path());
    setProgramEndHandler([this](int code) { programEnds.push_back(code); });
}

void EngineFixture::TearDown() {
    engine.reset();
    setProgramEndHandler({});
}

Engine& EngineFixture::create() {
    simulated = std::make_unique<SimulatedCamera>(cameraConfig);
    camera = std::make_unique<ScriptedCamera>(*simulated);
    engine = std::make_unique<Engine>(EngineServices{*camera, messages, clock, *folder, locale});
    engine->setObserver(observer);
    return *engine;
}

Engine& EngineFixture::load(bool keepLog) {
    create();
    engine->load();
    if (!keepLog) {
        camera->script().clearLog();
        messages.clear();
    }
    return *engine;
}

QStringList EngineFixture::filesInFolder() const {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace snapdeck::test

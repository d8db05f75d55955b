#pragma once

#include "engine/EngineObserver.h"

#include <QString>
#include <functional>

namespace snapdeck::soak {

// The station's face, as far as the soak needs one: follows each upload through the
// engine's upload line. An upload starts with "Подключаемся к сети...", is logged in
// and in its folder when the line says "Отсылаем файл..." and has ended, boxes and all,
// when the line is cleared. The file it sends is the picture stored just before.
class UploadWatch final : public EngineObserver {
public:
    std::function<void()> started;
    std::function<void()> aboutToSend;
    std::function<void(const QString& fileName)> ended;

    void stateChanged(const EngineState& state) override;
    void pictureStored(const QString& path) override;
    void previewStored(const QString&) override {}
    void scheduleFilled(const ScheduleForm&) override {}
    void intervalRefused() override {}
    void runEnded(const QString&) override {}

private:
    QString lastPicture_; // file name in the working folder
    QString line_;        // the upload line as last heard
};

} // namespace snapdeck::soak

#pragma once

#include "engine/settings/SettingList.h"

#include <QGroupBox>
#include <array>
#include <optional>

class QComboBox;

namespace snapdeck {

class EngineHost;
struct EngineState;

// The frame "Настройки камеры": the nine setting lists, each with its caption. A choice
// goes to the engine; the lists show the engine's selections.
class CameraSettingsFrame : public QGroupBox {
    Q_OBJECT
public:
    CameraSettingsFrame(EngineHost& engine, QWidget* parent = nullptr);

    void render(const EngineState& state);

private:
    QComboBox* addList(SettingList which, const char* name);

    EngineHost& engine_;
    std::array<QComboBox*, kSettingListCount> lists_{};
    std::optional<bool> monitorLit_;
};

} // namespace snapdeck

#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;

namespace snapdeck {

class EngineHost;
struct EngineState;

// The frame "FTP": the settings button, the upload switch and the upload's status.
class FtpFrame : public QGroupBox {
    Q_OBJECT
public:
    FtpFrame(EngineHost& engine, QWidget* parent = nullptr);

    void render(const EngineState& state);

signals:
    // "Настройки FTP" was pressed.
    void settingsAsked();

private:
    EngineHost& engine_;
    QPushButton* settingsButton_;
    QCheckBox* uploadBox_;
    QLabel* uploadStatusLine_;
};

} // namespace snapdeck

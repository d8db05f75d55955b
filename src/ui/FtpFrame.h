#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;

namespace snapdeck {

class EngineHost;
struct EngineState;

// The frame "FTP": the settings button, the upload switch, the choice of sending in the
// background, the upload's status line, and the queue's length and last error.
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
    QCheckBox* backgroundBox_;
    QLabel* uploadStatusLine_;
    QLabel* queueLine_;
    QLabel* queueErrorLine_;
};

} // namespace snapdeck

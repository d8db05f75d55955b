#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QProgressBar;

namespace snapdeck {

class MessagePresenter;

// The frame "Настройки захвата": how a capture treats the picture, with the capture's
// status line and transfer bar below the boxes.
//  - "Запись в буфер" ticked: pictures are not to stay on the card, so "Сохранять на
//    флэшке камеры" is cleared and locked;
//  - "Сохранять на флэшке камеры" unticked: the picture is deleted from the card once
//    it is safely on disk;
//  - "Переписать пред. кадр на диске" ticked: every capture is "image.jpg"; unticking
//    it warns that each capture now takes new disk space.
class CaptureOptionsFrame : public QGroupBox {
    Q_OBJECT
public:
    CaptureOptionsFrame(MessagePresenter& messages, QWidget* parent = nullptr);

    QCheckBox* chkCaptMode;
    QCheckBox* chkStFlash;
    QCheckBox* chkFileName;
    QLabel* lblStatus;
    QProgressBar* prgFile;

    void chkCaptMode_Click();
    void chkFileName_Click();

private:
    MessagePresenter& messages_;
};

} // namespace snapdeck

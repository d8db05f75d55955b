#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;

namespace snapdeck {

// The frame "FTP": the settings button, the upload switch and the upload's status.
class FtpFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit FtpFrame(QWidget* parent = nullptr);

    QPushButton* Command1;
    QCheckBox* chkFTP;
    QLabel* lblFTP;
};

} // namespace snapdeck

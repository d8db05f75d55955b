#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace snapdeck {

class MessagePresenter;
class WorkFolder;
struct FtpSettings;

// The modal window "Настройки FTP". Made afresh for each opening; Save ("Сохранить")
// writes "ftp.ini" and replaces the settings in memory, closing by the title bar keeps
// both as they were.
class frmFTP : public QDialog {
    Q_OBJECT
public:
    frmFTP(FtpSettings& settings, const WorkFolder& folder, MessagePresenter& messages,
           QWidget* parent = nullptr);

    // Fills the boxes from the settings.
    void Form_Load();
    // Save: checks the port, writes the file, updates the settings, closes the window.
    // A bad port or a file that cannot be written is reported and the window stays.
    void Command1_Click();

    QLineEdit* txtHostName;
    QLineEdit* txtPort;
    QLineEdit* txtLogin;
    QLineEdit* txtPassw;
    QComboBox* cmbServiceType;
    QLineEdit* txtFtpDir;
    QLineEdit* txtFileName;
    QPushButton* Command1;

private:
    void buildLayout();

    FtpSettings& settings_;
    const WorkFolder& folder_;
    MessagePresenter& messages_;
};

} // namespace snapdeck

#pragma once

#include <QDialog>
#include <optional>
#include <utility>

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
    // Save: checks the texts and the port, writes the file, updates the settings, closes
    // the window. A control character in a box, a bad port or a file that cannot be
    // written is reported and the window stays.
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
    std::optional<std::pair<QLineEdit*, QString>> boxWithControlCharacter() const;

    FtpSettings& settings_;
    const WorkFolder& folder_;
    MessagePresenter& messages_;
};

} // namespace snapdeck

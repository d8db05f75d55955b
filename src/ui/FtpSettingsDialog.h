#pragma once

#include "common/WorkFolder.h"
#include "engine/upload/FtpSettings.h"

#include <QDialog>
#include <optional>
#include <utility>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace snapdeck {

class MessagePresenter;

// The modal window "Настройки FTP", made afresh for each opening from the settings in
// use. Save ("Сохранить") writes "ftp.ini" and closes the window with the new settings;
// closing by the title bar keeps both as they were.
class FtpSettingsDialog : public QDialog {
    Q_OBJECT
public:
    FtpSettingsDialog(const FtpSettings& settings, const WorkFolder& folder,
                      MessagePresenter& messages, QWidget* parent = nullptr);

    // The settings saved; the ones given while nothing was saved.
    const FtpSettings& settings() const { return settings_; }

    // Save: checks the texts and the port, writes the file and closes the window. A
    // control character in a box, a bad port or a file that cannot be written is
    // reported and the window stays.
    void save();

private:
    void buildLayout();
    void fill();
    std::optional<std::pair<QLineEdit*, QString>> boxWithControlCharacter() const;

    FtpSettings settings_;
    WorkFolder folder_;
    MessagePresenter& messages_;
    QLineEdit* hostBox_;
    QLineEdit* portBox_;
    QLineEdit* loginBox_;
    QLineEdit* passwordBox_;
    QComboBox* serviceList_;
    QLineEdit* folderBox_;
    QLineEdit* fileNameBox_;
    QPushButton* saveButton_;
};

} // namespace snapdeck

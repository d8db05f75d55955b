#pragma once

#include "common/WorkFolder.h"
#include "engine/upload/FtpIniFormat.h"
#include "engine/upload/FtpSettings.h"
#include "engine/upload/UploadTransport.h"

#include <QDialog>
#include <atomic>
#include <memory>
#include <optional>
#include <utility>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace snapdeck {

class MessagePresenter;
struct ConnectionReport;

// The modal window "Настройки FTP", made afresh for each opening from the settings in
// use. Save ("Сохранить") writes "ftp.ini" and closes the window with the new settings;
// "Отмена" or the title bar keep both as they were. "Проверить соединение" tries the
// settings in the boxes without blocking the window and says what it found.
class FtpSettingsDialog : public QDialog {
    Q_OBJECT
public:
    FtpSettingsDialog(const FtpSettings& settings, const WorkFolder& folder,
                      MessagePresenter& messages, QWidget* parent = nullptr);
    ~FtpSettingsDialog() override;

    // The time limits and trusted authorities of the connection check; an upload's own
    // unless told.
    void setCheckOptions(const TransportOptions& options) { checkOptions_ = options; }

    // The settings saved; the ones given while nothing was saved.
    const FtpSettings& settings() const { return settings_; }

    // Save: checks the texts and the port, writes the file and closes the window. A
    // control character in a box, a bad port or a file that cannot be written is
    // reported and the window stays.
    void save();
    void checkConnection();

private:
    void buildLayout();
    void fill();
    std::optional<std::pair<QLineEdit*, QString>> boxWithControlCharacter() const;
    // The boxes' texts as ftp.ini keeps them; nothing, with the reason shown and the
    // box in focus, when one cannot be saved.
    std::optional<FtpIniValues> checkedValues();
    FtpSettings settingsOf(const FtpIniValues& values) const;
    void showCheckReport(const ConnectionReport& report);

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
    QPushButton* cancelButton_;
    QPushButton* checkButton_;
    QLabel* checkLine_;
    TransportOptions checkOptions_;
    std::shared_ptr<std::atomic_bool> checkStop_; // set: the running check ends
};

} // namespace snapdeck

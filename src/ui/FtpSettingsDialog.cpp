#include "FtpSettingsDialog.h"

#include "Accessibility.h"
#include "common/ErrorTrap.h"
#include "common/Messages.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettingsFile.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace snapdeck {

namespace {

QLineEdit* textBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

FtpSettingsDialog::FtpSettingsDialog(const FtpSettings& settings, const WorkFolder& folder,
                                     MessagePresenter& messages, QWidget* parent)
    : QDialog(parent), settings_(settings), folder_(folder), messages_(messages) {
    setObjectName(QStringLiteral("ftpSettingsDialog"));
    setWindowTitle(QStringLiteral("Настройки FTP"));
    setModal(true);
    buildLayout();
    fill();
    connect(saveButton_, &QPushButton::clicked, this, &FtpSettingsDialog::save);
}

void FtpSettingsDialog::buildLayout() {
    hostBox_ = textBox("hostBox", this);
    portBox_ = textBox("portBox", this);
    loginBox_ = textBox("loginBox", this);
    passwordBox_ = textBox("passwordBox", this);
    passwordBox_->setEchoMode(QLineEdit::Password);
    passwordBox_->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    serviceList_ = new QComboBox(this);
    serviceList_->setObjectName(QStringLiteral("serviceList"));
    serviceList_->addItems(ftpServiceNames());
    folderBox_ = textBox("folderBox", this);
    fileNameBox_ = textBox("fileNameBox", this);
    saveButton_ = new QPushButton(QStringLiteral("Сохранить"), this);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setDefault(true);

    auto* form = new QFormLayout;
    const std::pair<const QString&, QWidget*> rows[] = {
        {kFtpHostCaption, hostBox_},        {kFtpPortCaption, portBox_},
        {kFtpLoginCaption, loginBox_},      {kFtpPasswordCaption, passwordBox_},
        {kFtpServiceCaption, serviceList_}, {kFtpDirectoryCaption, folderBox_},
        {kFtpFileNameCaption, fileNameBox_}};
    for (const auto& [caption, control] : rows) {
        auto* label = new QLabel(caption, this);
        labelControl(label, control);
        form->addRow(label, control);
    }
    auto* fileNameHint = new QLabel(
        QStringLiteral("Каждый снимок отсылается под своим именем и публикуется также под "
                       "этим (для веб-страницы); пусто - не публикуется. Имя без \"/\" и \"..\"."),
        this);
    fileNameHint->setObjectName(QStringLiteral("fileNameHint"));
    fileNameHint->setWordWrap(true);
    fileNameBox_->setToolTip(fileNameHint->text());
    form->addRow(QString(), fileNameHint);

    auto* warning = new QLabel(QStringLiteral("ВНИМАНИЕ!"), this);
    auto* warningText = new QLabel(QStringLiteral("Хранить здесь пароль небезопасно !"), this);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(warning);
    column->addWidget(warningText);
    column->addWidget(saveButton_, 0, Qt::AlignRight);

    setTabOrder(hostBox_, portBox_);
    setTabOrder(portBox_, loginBox_);
    setTabOrder(loginBox_, passwordBox_);
    setTabOrder(passwordBox_, serviceList_);
    setTabOrder(serviceList_, folderBox_);
    setTabOrder(folderBox_, fileNameBox_);
    setTabOrder(fileNameBox_, saveButton_);
}

void FtpSettingsDialog::fill() {
    hostBox_->setText(settings_.FtpHost);
    portBox_->setText(QString::number(settings_.FtpPort));
    loginBox_->setText(settings_.FtpLogin);
    passwordBox_->setText(settings_.FtpPassword);
    serviceList_->setCurrentIndex(settings_.FtpServiceType); // -1: nothing selected
    folderBox_->setText(settings_.FtpDirectory);
    fileNameBox_->setText(settings_.FtpFileName);
}

// The first text box, in the window's order, whose text as saved holds a control
// character, with its caption; nothing when none does.
std::optional<std::pair<QLineEdit*, QString>> FtpSettingsDialog::boxWithControlCharacter() const {
    const std::pair<QLineEdit*, const QString&> boxes[] = {
        {hostBox_, kFtpHostCaption},        {portBox_, kFtpPortCaption},
        {loginBox_, kFtpLoginCaption},      {passwordBox_, kFtpPasswordCaption},
        {folderBox_, kFtpDirectoryCaption}, {fileNameBox_, kFtpFileNameCaption}};
    for (const auto& [box, caption] : boxes)
        if (hasControlCharacter(box->text().trimmed()))
            return std::pair{box, caption};
    return std::nullopt;
}

void FtpSettingsDialog::save() {
    // ftp.ini would drop a line break that the settings in use keep and the upload sends.
    if (const auto refused = boxWithControlCharacter()) {
        Message bad;
        bad.text = QStringLiteral("В поле \"%1\" есть управляющий символ (например, перевод "
                                  "строки). Уберите его, чтобы сохранить настройки.")
                       .arg(refused->second);
        bad.icon = MessageIcon::Exclamation;
        messages_.show(bad);
        refused->first->setFocus();
        return;
    }
    const FtpIniValues values = {hostBox_->text().trimmed(),
                                 portBox_->text().trimmed(),
                                 loginBox_->text().trimmed(),
                                 passwordBox_->text().trimmed(),
                                 QString::number(serviceList_->currentIndex()),
                                 folderBox_->text().trimmed(),
                                 fileNameBox_->text().trimmed()};
    if (!isPlainRemoteName(values[6])) {
        Message bad;
        bad.text = QStringLiteral("В поле \"%1\" должно быть одно имя файла, без \"/\" и \"..\".")
                       .arg(kFtpFileNameCaption);
        bad.icon = MessageIcon::Exclamation;
        messages_.show(bad);
        fileNameBox_->setFocus();
        fileNameBox_->selectAll();
        return;
    }
    const std::optional<std::int32_t> port = portFromText(values[1]);
    if (!port) {
        Message bad;
        bad.text = QStringLiteral("Порт должен быть числом от 0 до 65535 (0 - порт по умолчанию).");
        bad.icon = MessageIcon::Exclamation;
        messages_.show(bad);
        portBox_->setFocus();
        portBox_->selectAll();
        return;
    }
    const FtpSettings saved{values[0], *port,    values[2], values[3], serviceList_->currentIndex(),
                            values[5], values[6]};
    // A file that cannot be written is reported; the settings stay as they were.
    runTrapped(messages_, [&] {
        writeFtpIni(folder_, values);
        settings_ = saved;
        accept();
    });
}

} // namespace snapdeck

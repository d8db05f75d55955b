#include "FtpSettingsWindow.h"

#include "FtpService.h"
#include "FtpSettings.h"
#include "LoadFtpSettings.h"
#include "app/Accessibility.h"
#include "common/ErrorTrap.h"
#include "common/Messages.h"

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

frmFTP::frmFTP(FtpSettings& settings, const WorkFolder& folder, MessagePresenter& messages,
               QWidget* parent)
    : QDialog(parent), settings_(settings), folder_(folder), messages_(messages) {
    setObjectName(QStringLiteral("frmFTP"));
    setWindowTitle(QStringLiteral("Настройки FTP"));
    setModal(true);
    buildLayout();
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmFTP::buildLayout() {
    txtHostName = textBox("txtHostName", this);
    txtPort = textBox("txtPort", this);
    txtLogin = textBox("txtLogin", this);
    txtPassw = textBox("txtPassw", this);
    txtPassw->setEchoMode(QLineEdit::Password);
    txtPassw->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    cmbServiceType = new QComboBox(this);
    cmbServiceType->setObjectName(QStringLiteral("cmbServiceType"));
    cmbServiceType->addItems(ftpServiceNames());
    txtFtpDir = textBox("txtFtpDir", this);
    txtFileName = textBox("txtFileName", this);
    Command1 = new QPushButton(QStringLiteral("Сохранить"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);

    auto* form = new QFormLayout;
    const std::pair<const QString&, QWidget*> rows[] = {
        {kFtpHostCaption, txtHostName},       {kFtpPortCaption, txtPort},
        {kFtpLoginCaption, txtLogin},         {kFtpPasswordCaption, txtPassw},
        {kFtpServiceCaption, cmbServiceType}, {kFtpDirectoryCaption, txtFtpDir},
        {kFtpFileNameCaption, txtFileName}};
    for (const auto& [caption, control] : rows) {
        auto* label = new QLabel(caption, this);
        labelControl(label, control);
        form->addRow(label, control);
    }

    auto* warning = new QLabel(QStringLiteral("ВНИМАНИЕ!"), this);
    warning->setObjectName(QStringLiteral("lblWarning"));
    auto* warningText = new QLabel(QStringLiteral("Хранить здесь пароль небезопасно !"), this);
    warningText->setObjectName(QStringLiteral("lblWarningText"));

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(warning);
    column->addWidget(warningText);
    column->addWidget(Command1, 0, Qt::AlignRight);

    setTabOrder(txtHostName, txtPort);
    setTabOrder(txtPort, txtLogin);
    setTabOrder(txtLogin, txtPassw);
    setTabOrder(txtPassw, cmbServiceType);
    setTabOrder(cmbServiceType, txtFtpDir);
    setTabOrder(txtFtpDir, txtFileName);
    setTabOrder(txtFileName, Command1);
}

void frmFTP::Form_Load() {
    txtHostName->setText(settings_.FtpHost);
    txtPort->setText(QString::number(settings_.FtpPort));
    txtLogin->setText(settings_.FtpLogin);
    txtPassw->setText(settings_.FtpPassword);
    cmbServiceType->setCurrentIndex(settings_.FtpServiceType); // -1: nothing selected
    txtFtpDir->setText(settings_.FtpDirectory);
    txtFileName->setText(settings_.FtpFileName);
}

// The first text box, in the window's order, whose text as saved holds a control
// character, with its caption; nothing when none does.
std::optional<std::pair<QLineEdit*, QString>> frmFTP::boxWithControlCharacter() const {
    const std::pair<QLineEdit*, const QString&> boxes[] = {
        {txtHostName, kFtpHostCaption},    {txtPort, kFtpPortCaption},
        {txtLogin, kFtpLoginCaption},      {txtPassw, kFtpPasswordCaption},
        {txtFtpDir, kFtpDirectoryCaption}, {txtFileName, kFtpFileNameCaption}};
    for (const auto& [box, caption] : boxes)
        if (hasControlCharacter(box->text().trimmed()))
            return std::pair{box, caption};
    return std::nullopt;
}

void frmFTP::Command1_Click() {
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
    const FtpIniValues values = {txtHostName->text().trimmed(),
                                 txtPort->text().trimmed(),
                                 txtLogin->text().trimmed(),
                                 txtPassw->text().trimmed(),
                                 QString::number(cmbServiceType->currentIndex()),
                                 txtFtpDir->text().trimmed(),
                                 txtFileName->text().trimmed()};
    const std::optional<std::int32_t> port = portFromText(values[1]);
    if (!port) {
        Message bad;
        bad.text = QStringLiteral("Порт должен быть числом от 0 до 65535 (0 - порт по умолчанию).");
        bad.icon = MessageIcon::Exclamation;
        messages_.show(bad);
        txtPort->setFocus();
        txtPort->selectAll();
        return;
    }
    const FtpSettings saved{
        values[0], *port,    values[2], values[3], cmbServiceType->currentIndex(),
        values[5], values[6]};
    // A file that cannot be written is reported; the settings stay as they were.
    runTrapped(messages_, [&] {
        writeFtpIni(folder_, values);
        settings_ = saved;
        accept();
    });
}

} // namespace snapdeck

#include "FtpSettingsDialog.h"

#include "Accessibility.h"
#include "common/ErrorTrap.h"
#include "common/Messages.h"
#include "engine/upload/ConnectionCheck.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettingsFile.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThreadPool>
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
    setWindowTitle(tr("Настройки FTP"));
    setModal(true);
    buildLayout();
    fill();
    connect(saveButton_, &QPushButton::clicked, this, &FtpSettingsDialog::save);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(checkButton_, &QPushButton::clicked, this, &FtpSettingsDialog::checkConnection);
}

// A check still running ends at once; its answer has no window to go to.
FtpSettingsDialog::~FtpSettingsDialog() {
    if (checkStop_)
        *checkStop_ = true;
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
    saveButton_ = new QPushButton(tr("&Сохранить"), this);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setDefault(true);
    cancelButton_ = new QPushButton(tr("&Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    checkButton_ = new QPushButton(tr("Про&верить соединение"), this);
    checkButton_->setObjectName(QStringLiteral("checkConnectionButton"));
    checkButton_->setToolTip(tr("Войти на сервер и перейти в папку, ничего не отсылая"));
    checkLine_ = new QLabel(this);
    checkLine_->setObjectName(QStringLiteral("connectionCheckLine"));
    checkLine_->setTextFormat(Qt::PlainText); // the server's name is shown as it is
    checkLine_->setWordWrap(true);
    checkLine_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* form = new QFormLayout;
    const std::pair<QString, QWidget*> rows[] = {
        {tr("Имя &хоста"), hostBox_},       {tr("&Порт"), portBox_},
        {tr("&Логин"), loginBox_},          {tr("Па&роль"), passwordBox_},
        {tr("&Тип сервиса"), serviceList_}, {tr("&Директория"), folderBox_},
        {tr("&Имя файла"), fileNameBox_}};
    for (const auto& [caption, control] : rows) {
        auto* label = new QLabel(caption, this);
        labelControl(label, control);
        form->addRow(label, control);
    }
    auto* fileNameHint =
        new QLabel(tr("Каждый снимок отсылается под своим именем и публикуется также под "
                      "этим (для веб-страницы); пусто - не публикуется. Имя без \"/\" и \"..\"."),
                   this);
    fileNameHint->setObjectName(QStringLiteral("fileNameHint"));
    fileNameHint->setWordWrap(true);
    fileNameBox_->setToolTip(fileNameHint->text());
    form->addRow(QString(), fileNameHint);

    auto* warning = new QLabel(tr("ВНИМАНИЕ!"), this);
    auto* warningText = new QLabel(tr("Хранить здесь пароль небезопасно !"), this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(checkButton_);
    buttons->addStretch();
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(warning);
    column->addWidget(warningText);
    column->addWidget(checkLine_);
    column->addLayout(buttons);

    setTabOrder(hostBox_, portBox_);
    setTabOrder(portBox_, loginBox_);
    setTabOrder(loginBox_, passwordBox_);
    setTabOrder(passwordBox_, serviceList_);
    setTabOrder(serviceList_, folderBox_);
    setTabOrder(folderBox_, fileNameBox_);
    setTabOrder(fileNameBox_, checkButton_);
    setTabOrder(checkButton_, saveButton_);
    setTabOrder(saveButton_, cancelButton_);
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
            return std::pair{box, shownFtpCaption(caption)};
    return std::nullopt;
}

std::optional<FtpIniValues> FtpSettingsDialog::checkedValues() {
    const auto refuse = [this](const QString& text, QLineEdit* box) {
        Message bad;
        bad.text = text;
        bad.icon = MessageIcon::Exclamation;
        messages_.show(bad);
        box->setFocus();
        box->selectAll();
        return std::nullopt;
    };
    // ftp.ini would drop a line break that the settings in use keep and the upload sends.
    if (const auto refused = boxWithControlCharacter())
        return refuse(tr("В поле \"%1\" есть управляющий символ (например, перевод строки). "
                         "Уберите его, чтобы сохранить настройки.")
                          .arg(refused->second),
                      refused->first);
    const FtpIniValues values = {hostBox_->text().trimmed(),
                                 portBox_->text().trimmed(),
                                 loginBox_->text().trimmed(),
                                 passwordBox_->text().trimmed(),
                                 QString::number(serviceList_->currentIndex()),
                                 folderBox_->text().trimmed(),
                                 fileNameBox_->text().trimmed()};
    if (!isPlainRemoteName(values[6]))
        return refuse(tr("В поле \"%1\" должно быть одно имя файла, без \"/\" и \"..\".")
                          .arg(shownFtpCaption(kFtpFileNameCaption)),
                      fileNameBox_);
    if (!portFromText(values[1]))
        return refuse(tr("Порт должен быть числом от 0 до 65535 (0 - порт по умолчанию)."),
                      portBox_);
    return values;
}

FtpSettings FtpSettingsDialog::settingsOf(const FtpIniValues& values) const {
    return {values[0], *portFromText(values[1]),     values[2],
            values[3], serviceList_->currentIndex(), values[5],
            values[6]};
}

void FtpSettingsDialog::save() {
    const std::optional<FtpIniValues> values = checkedValues();
    if (!values)
        return;
    // A file that cannot be written is reported; the settings stay as they were.
    runTrapped(messages_, [&] {
        writeFtpIni(folder_, *values);
        settings_ = settingsOf(*values);
        accept();
    });
}

// The settings in the boxes, saved or not, are tried on a thread of the pool: the window
// answers meanwhile, and the program's end waits for the pool.
void FtpSettingsDialog::checkConnection() {
    const std::optional<FtpIniValues> values = checkedValues();
    if (!values)
        return;
    checkButton_->setEnabled(false);
    checkLine_->setText(tr("Проверяем соединение..."));
    auto stop = std::make_shared<std::atomic_bool>(false);
    checkStop_ = stop;
    TransportOptions options = checkOptions_;
    options.cancelled = [stop, also = options.cancelled] { return *stop || (also && also()); };
    QThreadPool::globalInstance()->start(
        [settings = settingsOf(*values), options, self = QPointer(this)] {
            const ConnectionReport report = ConnectionCheck::run(settings, options);
            QMetaObject::invokeMethod(
                qApp,
                [self, report] {
                    if (self)
                        self->showCheckReport(report);
                },
                Qt::QueuedConnection);
        });
}

void FtpSettingsDialog::showCheckReport(const ConnectionReport& report) {
    checkStop_.reset();
    checkButton_->setEnabled(true);
    checkLine_->setText(report.text);
    checkLine_->setProperty("checkSucceeded", report.ok);
}

} // namespace snapdeck

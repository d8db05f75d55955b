#include "FtpUpload.h"

#include "FtpService.h"
#include "PictureSender.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"

namespace snapdeck {

namespace {

// Why nothing is sent for a service without a transport.
QString unsupportedService(std::int32_t service) {
    if (service == GopherService)
        return FtpUpload::tr("Тип сервиса GOPHER не поддерживается: файл не отослан.\r\n"
                             "Выберите в настройках FTP тип сервиса \"Авто\", \"FTP\" или "
                             "\"HTTP\".");
    if (service == NoFtpService)
        return FtpUpload::tr("Тип сервиса не выбран: файл не отослан.\r\n"
                             "Выберите его в настройках FTP.");
    if (service < NoFtpService || service > HttpService)
        return FtpUpload::tr("Неизвестный тип сервиса %1: файл не отослан.").arg(service);
    return {};
}

// Why nothing is sent when a text of the request holds a control character: ftp.ini
// may hold one, and a line break would smuggle a command of its own to the server.
QString controlCharacterRefusal(const FtpSettings& settings, const QString& fileName) {
    const std::pair<const QString&, const QString&> fields[] = {
        {settings.FtpHost, kFtpHostCaption},
        {settings.FtpLogin, kFtpLoginCaption},
        {settings.FtpPassword, kFtpPasswordCaption},
        {settings.FtpDirectory, kFtpDirectoryCaption}};
    for (const auto& [text, caption] : fields)
        if (hasControlCharacter(text))
            return FtpUpload::tr("В поле \"%1\" настроек FTP есть управляющий символ (например, "
                                 "перевод строки). Передача файла отменена.")
                .arg(shownFtpCaption(caption));
    if (hasControlCharacter(fileName))
        return FtpUpload::tr("В имени отсылаемого файла есть управляющий символ (например, "
                             "перевод строки). Передача файла отменена.");
    return {};
}

} // namespace

void FtpUpload::send(const QString& fileName) {
    runTrapped(context_.services.messages, [&] { runSteps(fileName); });
    showStatus({});
}

bool FtpUpload::refuses(const QString& fileName) {
    const QString unsupported = unsupportedService(settings_.FtpServiceType);
    if (!unsupported.isEmpty()) {
        say(unsupported, true);
        return true;
    }
    const QString unsafe = controlCharacterRefusal(settings_, fileName);
    if (!unsafe.isEmpty()) {
        say(unsafe, true);
        return true;
    }
    return false;
}

// The connection is released when the transport goes out of scope, before the line is
// cleared.
void FtpUpload::runSteps(const QString& fileName) {
    showStatus(tr("Подключаемся к сети..."));
    if (refuses(fileName))
        return;
    // Published under "Имя файла" too, when one is given: a web page shows the newest.
    // ftp.ini may hold a path there, which the settings window refuses: never sent.
    QStringList names{fileName};
    const QString& fixedName = settings_.FtpFileName;
    if (!isPlainRemoteName(fixedName))
        say(tr("В поле \"%1\" настроек FTP должно быть одно имя файла, без \"/\" и "
               "\"..\": снимок под ним не опубликован.")
                .arg(shownFtpCaption(kFtpFileNameCaption)));
    else if (!fixedName.isEmpty() && fixedName != fileName)
        names.append(fixedName);
    using Stage = SendOutcome::Stage;
    const SendOutcome outcome =
        sendPicture(*destinationOf(settings_), context_.services.folder.path(fileName), names,
                    options_, [this](const SendOutcome& soFar) {
                        switch (soFar.stage) {
                        case Stage::Connecting:
                            showStatus(tr("Ищем хост..."));
                            break;
                        case Stage::ChangingFolder:
                            showStatus(tr("Переходим в папку %1...").arg(settings_.FtpDirectory));
                            break;
                        case Stage::Sending:
                            if (soFar.folderMissing)
                                say(tr("Папки %1 на сервере %2 не существует!\r\n"
                                       "Снимок отсылается в папку, с которой начинает сервер. "
                                       "Проверьте \"Директорию\" в \"Настройках FTP\".")
                                        .arg(settings_.FtpDirectory, settings_.FtpHost));
                            showStatus(tr("Отсылаем файл..."));
                            break;
                        case Stage::Opening:
                        case Stage::Done:
                            break;
                        }
                    });
    switch (outcome.stage) {
    case Stage::Opening:
        say(tr("Подключение к интернету отсутствует.\r\n"
               "Снимок сохранен на диске, на сервер он не попал. Проверьте подключение к сети."),
            true);
        break;
    case Stage::Connecting:
        sayWhy(outcome.result,
               tr("Сервер «%1» не отвечает. Передача файла отменена.\r\n"
                  "Снимок сохранен на диске, на сервер он не попал. Проверьте имя хоста и порт "
                  "в \"Настройках FTP\" и что сервер работает.")
                   .arg(settings_.FtpHost),
               true);
        break;
    case Stage::ChangingFolder:
        sayWhy(outcome.result, {}, true);
        break;
    case Stage::Sending:
        sayWhy(outcome.result,
               tr("Файл не отослан!\r\n"
                  "Снимок сохранен на диске, на сервер он не попал. Сервер не принял файл: "
                  "проверьте права на запись в папку на сервере и место на нем."));
        break;
    case Stage::Done:
        break;
    }
}

// A cause the user can act on has its own message; any other failure the step's own.
void FtpUpload::sayWhy(StepResult result, const QString& stepFailure, bool critical) {
    switch (result) {
    case StepResult::LoginRefused:
        say(tr("Сервер «%1» отказал во входе: неверный логин или пароль. "
               "Передача файла отменена.\r\n"
               "Снимок сохранен на диске, на сервер он не попал. Проверьте логин и пароль в "
               "\"Настройках FTP\".")
                .arg(settings_.FtpHost),
            true);
        return;
    case StepResult::OutOfTime:
        say(tr("Передача файла на сервер «%1» не уложилась в отведённое время и отменена. "
               "Файл остался на диске.\r\n"
               "Сервер или связь с ним слишком медленны: проверьте соединение.")
                .arg(settings_.FtpHost),
            true);
        return;
    case StepResult::Done:
    case StepResult::Failed:
        break;
    }
    say(stepFailure, critical);
}

void FtpUpload::showStatus(const QString& text) {
    context_.state.uploadStatus = text;
    context_.publish();
}

void FtpUpload::say(const QString& text, bool critical) {
    Message message;
    message.text = text;
    message.icon = critical ? MessageIcon::Critical : MessageIcon::None;
    context_.services.messages.show(message);
}

} // namespace snapdeck

#include "FtpUpload.h"

#include "FtpService.h"
#include "common/ErrorTrap.h"
#include "engine/EngineContext.h"

namespace snapdeck {

namespace {

// Why nothing is sent for a service without a transport.
QString unsupportedService(std::int32_t service) {
    if (service == GopherService)
        return QStringLiteral("Тип сервиса GOPHER не поддерживается: файл не отослан.\r\n"
                              "Выберите в настройках FTP тип сервиса \"Авто\", \"FTP\" или "
                              "\"HTTP\".");
    if (service == NoFtpService)
        return QStringLiteral("Тип сервиса не выбран: файл не отослан.\r\n"
                              "Выберите его в настройках FTP.");
    if (service < NoFtpService || service > HttpService)
        return QStringLiteral("Неизвестный тип сервиса %1: файл не отослан.").arg(service);
    return {};
}

} // namespace

void FtpUpload::send(const QString& fileName) {
    runTrapped(context_.services.messages, [&] { runSteps(fileName); });
    showStatus({});
}

// The connection is released when the transport goes out of scope, before the line is
// cleared.
void FtpUpload::runSteps(const QString& fileName) {
    showStatus(QStringLiteral("Подключаемся к сети..."));

    const QString unsupported = unsupportedService(settings_.FtpServiceType);
    if (!unsupported.isEmpty()) {
        say(unsupported, true);
        return;
    }
    const UploadAccount account{settings_.FtpHost, settings_.FtpPort, settings_.FtpLogin,
                                settings_.FtpPassword};
    const std::unique_ptr<UploadTransport> transport =
        openTransport(settings_.FtpServiceType, account, options_);
    if (!transport) {
        say(QStringLiteral("Подключение к интернету отсутствует."), true);
        return;
    }

    showStatus(QStringLiteral("Ищем хост..."));
    if (!transport->connect()) {
        say(QStringLiteral("Сервер ''") + settings_.FtpHost +
                QStringLiteral("'' не отвечает. Передача файла отменена."),
            true);
        return;
    }

    if (!settings_.FtpDirectory.isEmpty()) {
        showStatus(QStringLiteral("Переходим в папку ") + settings_.FtpDirectory +
                   QStringLiteral("..."));
        if (!transport->changeFolder(settings_.FtpDirectory))
            say(QStringLiteral("Папки ") + settings_.FtpDirectory + QStringLiteral(" на сервере ") +
                settings_.FtpHost + QStringLiteral(" не существует!"));
    }

    showStatus(QStringLiteral("Отсылаем файл..."));
    if (!transport->sendFile(context_.services.folder.path(fileName), fileName))
        say(QStringLiteral("Файл не отослан!"));
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

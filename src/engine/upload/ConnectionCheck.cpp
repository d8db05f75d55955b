#include "ConnectionCheck.h"

#include "UploadDestination.h"

namespace snapdeck {

ConnectionReport ConnectionCheck::run(const FtpSettings& settings,
                                      const TransportOptions& options) {
    const std::optional<UploadDestination> destination = destinationOf(settings);
    if (!destination)
        return {false, tr("Этот тип сервиса не отсылает снимков: выберите \"Авто\", \"FTP\" или "
                          "\"HTTP\".")};
    if (!fitsInRequests(destination->account) || hasControlCharacter(settings.FtpDirectory))
        return {false, tr("В настройках есть управляющий символ (например, перевод строки): "
                          "соединение не проверено.")};
    const std::unique_ptr<UploadTransport> transport =
        openTransport(*destination, options, uploadDeadline(options, 0));
    if (!transport)
        return {false, tr("Сетевая библиотека не запустилась: соединение не проверено.")};

    const QString& host = settings.FtpHost;
    switch (transport->connect()) {
    case StepResult::Done:
        break;
    case StepResult::LoginRefused:
        return {false, tr("Сервер «%1» отказал во входе: проверьте логин и пароль.").arg(host)};
    case StepResult::OutOfTime:
        return {false,
                tr("Сервер «%1» не ответил в отведенное время: проверьте соединение.").arg(host)};
    case StepResult::Failed:
        return {false, tr("Сервер «%1» не отвечает: проверьте имя хоста и порт и что сервер "
                          "работает.")
                           .arg(host)};
    }
    using Service = UploadDestination::Service;
    if (destination->service != Service::FtpWithTlsWhenOffered &&
        destination->service != Service::Ftp && destination->service != Service::Ftps)
        return {true,
                tr("Сервер «%1» отвечает. Примет ли он снимок, покажет первая отсылка.").arg(host)};
    const QString& folder = settings.FtpDirectory;
    if (folder.isEmpty())
        return {true, tr("Вход на сервер «%1» выполнен. Снимки пойдут в папку, с которой "
                         "начинает сервер.")
                          .arg(host)};
    switch (transport->changeFolder(folder)) {
    case StepResult::Done:
        return {true, tr("Вход на сервер «%1» выполнен, папка «%2» на месте.").arg(host, folder)};
    case StepResult::LoginRefused:
    case StepResult::Failed:
        return {false, tr("Вход на сервер «%1» выполнен, но папки «%2» на сервере нет: снимки "
                          "пойдут в папку, с которой начинает сервер.")
                           .arg(host, folder)};
    case StepResult::OutOfTime:
        break;
    }
    return {false,
            tr("Сервер «%1» не ответил в отведенное время: проверьте соединение.").arg(host)};
}

} // namespace snapdeck

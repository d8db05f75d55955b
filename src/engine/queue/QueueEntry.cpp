#include "QueueEntry.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace snapdeck {

namespace {

constexpr int kFormat = 1;

QString serviceName(UploadDestination::Service service) {
    using Service = UploadDestination::Service;
    switch (service) {
    case Service::FtpWithTlsWhenOffered:
        return QStringLiteral("ftp-tls-when-offered");
    case Service::Ftp:
        return QStringLiteral("ftp");
    case Service::Ftps:
        return QStringLiteral("ftps");
    case Service::Http:
        return QStringLiteral("http");
    case Service::Https:
        return QStringLiteral("https");
    case Service::S3:
        return QStringLiteral("s3");
    }
    return {};
}

std::optional<UploadDestination::Service> serviceFromName(const QString& name) {
    using Service = UploadDestination::Service;
    for (const Service service : {Service::FtpWithTlsWhenOffered, Service::Ftp, Service::Ftps,
                                  Service::Http, Service::Https, Service::S3})
        if (serviceName(service) == name)
            return service;
    return std::nullopt;
}

} // namespace

QByteArray entryFileBytes(const QueueEntry& entry) {
    const UploadDestination& d = entry.destination;
    QJsonObject s3{{QStringLiteral("bucket"), d.s3.bucket},
                   {QStringLiteral("region"), d.s3.region},
                   {QStringLiteral("accessKey"), d.s3.accessKey},
                   {QStringLiteral("secret"), d.s3.secret},
                   {QStringLiteral("endpointTls"), d.s3.endpointTls},
                   {QStringLiteral("virtualHosted"), d.s3.virtualHosted}};
    QJsonObject destination{{QStringLiteral("service"), serviceName(d.service)},
                            {QStringLiteral("host"), d.account.host},
                            {QStringLiteral("port"), d.account.port},
                            {QStringLiteral("login"), d.account.login},
                            {QStringLiteral("password"), d.account.password},
                            {QStringLiteral("folder"), d.folder},
                            {QStringLiteral("s3"), s3}};
    QJsonObject object{{QStringLiteral("format"), kFormat},
                       {QStringLiteral("sequence"), entry.sequence},
                       {QStringLiteral("queued"), entry.queued.toString(Qt::ISODate)},
                       {QStringLiteral("picture"), entry.pictureFile},
                       {QStringLiteral("remoteName"), entry.remoteName},
                       {QStringLiteral("publishAs"), entry.publishAs},
                       {QStringLiteral("destination"), destination}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<QueueEntry> entryFromFileBytes(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonObject destination = object.value(QStringLiteral("destination")).toObject();
    const QJsonObject s3 = destination.value(QStringLiteral("s3")).toObject();
    const auto service = serviceFromName(destination.value(QStringLiteral("service")).toString());
    QueueEntry entry;
    entry.sequence = object.value(QStringLiteral("sequence")).toInteger(-1);
    entry.queued =
        QDateTime::fromString(object.value(QStringLiteral("queued")).toString(), Qt::ISODate);
    entry.pictureFile = object.value(QStringLiteral("picture")).toString();
    entry.remoteName = object.value(QStringLiteral("remoteName")).toString();
    entry.publishAs = object.value(QStringLiteral("publishAs")).toString();
    if (object.value(QStringLiteral("format")).toInt() != kFormat || !service ||
        entry.sequence < 0 || entry.pictureFile.isEmpty() || entry.remoteName.isEmpty())
        return std::nullopt;
    UploadDestination& d = entry.destination;
    d.service = *service;
    d.account.host = destination.value(QStringLiteral("host")).toString();
    d.account.port = destination.value(QStringLiteral("port")).toInt();
    d.account.login = destination.value(QStringLiteral("login")).toString();
    d.account.password = destination.value(QStringLiteral("password")).toString();
    d.folder = destination.value(QStringLiteral("folder")).toString();
    d.s3.bucket = s3.value(QStringLiteral("bucket")).toString();
    d.s3.region = s3.value(QStringLiteral("region")).toString();
    d.s3.accessKey = s3.value(QStringLiteral("accessKey")).toString();
    d.s3.secret = s3.value(QStringLiteral("secret")).toString();
    d.s3.endpointTls = s3.value(QStringLiteral("endpointTls")).toBool(true);
    d.s3.virtualHosted = s3.value(QStringLiteral("virtualHosted")).toBool();
    return entry;
}

} // namespace snapdeck

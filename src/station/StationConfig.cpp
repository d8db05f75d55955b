#include "StationConfig.h"

#include "IniFile.h"
#include "camera/CameraPort.h"
#include "engine/settings/SettingList.h"
#include "engine/upload/FtpSettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace snapdeck {

namespace {

constexpr qint64 kLargestConfigFile = 1024 * 1024;
constexpr int kLongestInterval = 7 * 24 * 3600;

// A check of one key's value; returns the reason it is wrong, or nothing.
using Check = std::function<QString(const QString& value)>;

QString listChoice(SettingList list, const QString& value, std::optional<int>& position) {
    if (value.isEmpty())
        return {};
    const QStringList captions = settingCaptions(list);
    const qsizetype found = captions.indexOf(value);
    if (found < 0)
        return QCoreApplication::translate("StationConfig",
                                           "\"%1\" is not an entry of the list; one of: %2")
            .arg(value, captions.join(QStringLiteral(", ")));
    position = int(found);
    return {};
}

QString wholeNumber(const QString& value, int lowest, int highest, std::optional<int>& out) {
    if (value.isEmpty())
        return {};
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < lowest || number > highest)
        return QCoreApplication::translate("StationConfig",
                                           "a whole number from %1 to %2, or nothing")
            .arg(lowest)
            .arg(highest);
    out = number;
    return {};
}

QString yesOrNo(const QString& value, bool& out) {
    const QString v = value.toLower();
    if (v == u"true" || v == u"yes" || v == u"on" || v == u"1")
        out = true;
    else if (v == u"false" || v == u"no" || v == u"off" || v == u"0")
        out = false;
    else
        return QCoreApplication::translate("StationConfig", "true or false");
    return {};
}

// "200MB", "1.5GB", "512KB", "1000" (bytes); powers of 1024.
QString size(const QString& value, qint64& out) {
    static const QRegularExpression form(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*(B|KB|MB|GB|TB)?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return QCoreApplication::translate("StationConfig", "a size such as 200MB, 2GB or 500KB");
    const QString unit = match.captured(2).toUpper();
    const int power = unit == u"KB"   ? 1
                      : unit == u"MB" ? 2
                      : unit == u"GB" ? 3
                      : unit == u"TB" ? 4
                                      : 0;
    double bytes = match.captured(1).toDouble();
    for (int i = 0; i < power; ++i)
        bytes *= 1024;
    if (bytes > 1e18)
        return QCoreApplication::translate("StationConfig", "too large");
    out = qint64(bytes);
    return {};
}

// "60s", "5m", "1h", or plain seconds.
QString interval(const QString& value, int& out) {
    static const QRegularExpression form(QStringLiteral("^(\\d+)\\s*([smh]?)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(value);
    if (!match.hasMatch())
        return QCoreApplication::translate("StationConfig", "a time such as 30s, 5m or 1h");
    const qint64 number = match.captured(1).toLongLong();
    const QString unit = match.captured(2).toLower();
    const qint64 seconds = number * (unit == u"h" ? 3600 : unit == u"m" ? 60 : 1);
    if (seconds < 1 || seconds > kLongestInterval)
        return QCoreApplication::translate("StationConfig", "from 1s to 168h");
    out = int(seconds);
    return {};
}

QString moment(const QString& value, std::optional<QDateTime>& out) {
    if (value.isEmpty())
        return {};
    const QDateTime parsed = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid())
        return QCoreApplication::translate("StationConfig",
                                           "a moment written YYYY-MM-DD HH:MM:SS, or nothing");
    out = parsed;
    return {};
}

QString timeOfDay(const QString& value, std::optional<QTime>& out) {
    if (value.isEmpty())
        return {};
    const QTime parsed = QTime::fromString(value, QStringLiteral("HH:mm"));
    if (!parsed.isValid())
        return QCoreApplication::translate("StationConfig",
                                           "a time of day written HH:MM, or nothing");
    out = parsed;
    return {};
}

// A name on the server or on disk: one name, never a path.
QString plainName(const QString& value) {
    if (!isPlainRemoteName(value))
        return QCoreApplication::translate(
            "StationConfig", "a file name without \"/\", \"..\" or control characters");
    return {};
}

// The first line of a file only its owner may read: a password or a secret.
QString secretFrom(const QString& path, QString& out) {
    if (path.isEmpty())
        return {};
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return QCoreApplication::translate("StationConfig", "\"%1\" is not a file that can be read")
            .arg(path);
    if ((info.st_mode & 077) != 0)
        return QCoreApplication::translate("StationConfig",
                                           "\"%1\" may be read by others (mode %2): make it 0600")
            .arg(path)
            .arg(info.st_mode & 0777, 4, 8, QLatin1Char('0'));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("StationConfig", "\"%1\" cannot be read: %2")
            .arg(path, file.errorString());
    out = QString::fromUtf8(file.read(64 * 1024)).section(u'\n', 0, 0).remove(u'\r');
    if (hasControlCharacter(out))
        return QCoreApplication::translate("StationConfig", "\"%1\" holds a control character")
            .arg(path);
    return {};
}

struct UploadKeys {
    QString url, user, passwordFile, endpoint, region = QStringLiteral("us-east-1"), accessKey,
                                               secretFile, addressing = QStringLiteral("path");
    int urlLine = 0, endpointLine = 0, passwordLine = 0, secretLine = 0, addressingLine = 0;
};

// The destination the [upload] url names, with the [s3] keys for object storage. When
// it is wrong, "line" and "key" say which key's value is.
QString destinationOf(const UploadKeys& keys, std::optional<UploadDestination>& out, int& line,
                      QString& key) {
    const auto at = [&](int keyLine, const char* name) {
        line = keyLine ? keyLine : keys.urlLine;
        key = QString::fromLatin1(keyLine ? name : "url");
    };
    at(keys.urlLine, "url");
    if (keys.url.isEmpty())
        return {};
    const QUrl url(keys.url, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    using Service = UploadDestination::Service;
    static const std::map<QString, Service> services = {
        {QStringLiteral("ftp"), Service::FtpWithTlsWhenOffered},
        {QStringLiteral("ftps"), Service::Ftps},
        {QStringLiteral("http"), Service::Http},
        {QStringLiteral("https"), Service::Https},
        {QStringLiteral("s3"), Service::S3}};
    const auto service = services.find(scheme);
    if (!url.isValid() || service == services.end() || url.host().isEmpty())
        return QStringLiteral(
            "ftp://HOST/FOLDER, ftps://, http(s)://HOST/PATH or s3://BUCKET/PREFIX");
    if (!url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
        return QCoreApplication::translate(
            "StationConfig", "no user, password, query or fragment in the address: use user "
                             "and password_file");
    UploadDestination destination;
    destination.service = service->second;
    // The path after the host; a second "/" makes an FTP folder absolute.
    const QString path = url.path(QUrl::FullyDecoded);
    destination.folder = path.startsWith(u'/') ? path.mid(1) : path;
    while (destination.folder.endsWith(u'/') && destination.folder.size() > 1)
        destination.folder.chop(1);
    destination.account.login = keys.user;
    if (service->second != Service::S3) {
        destination.account.host = url.host();
        destination.account.port = url.port(0);
        QString password;
        at(keys.passwordLine, "password_file");
        if (const QString wrong = secretFrom(keys.passwordFile, password); !wrong.isEmpty())
            return wrong;
        destination.account.password = password;
        out = destination;
        return {};
    }
    destination.s3.bucket = url.host();
    const QUrl endpoint(keys.endpoint, QUrl::StrictMode);
    at(keys.endpointLine, "endpoint");
    if (keys.endpoint.isEmpty() || !endpoint.isValid() || endpoint.host().isEmpty() ||
        (endpoint.scheme() != u"http" && endpoint.scheme() != u"https"))
        return QCoreApplication::translate(
            "StationConfig", "[s3] endpoint: the storage's address, e.g. https://s3.example.com");
    destination.account.host = endpoint.host();
    destination.account.port = endpoint.port(0);
    destination.s3.endpointTls = endpoint.scheme() == u"https";
    destination.s3.region = keys.region;
    destination.s3.accessKey = keys.accessKey;
    at(keys.secretLine, "secret_file");
    if (keys.secretFile.isEmpty() || keys.accessKey.isEmpty())
        return QCoreApplication::translate(
            "StationConfig", "[s3] access_key and secret_file are needed for object storage");
    if (const QString wrong = secretFrom(keys.secretFile, destination.s3.secret); !wrong.isEmpty())
        return wrong;
    at(keys.addressingLine, "addressing");
    if (keys.addressing != u"path" && keys.addressing != u"virtual")
        return QCoreApplication::translate("StationConfig", "addressing: path or virtual");
    destination.s3.virtualHosted = keys.addressing == u"virtual";
    out = destination;
    return {};
}

} // namespace

std::optional<int> nameResolutionSeconds(const QString& name) {
    if (name.contains(QStringLiteral("%n")))
        return 0;
    struct Field {
        char letter;
        int seconds;
    };
    static const Field fields[] = {{'S', 1},       {'s', 1},        {'T', 1},       {'r', 1},
                                   {'c', 1},       {'X', 1},        {'M', 60},      {'R', 60},
                                   {'H', 3600},    {'I', 3600},     {'k', 3600},    {'l', 3600},
                                   {'d', 86400},   {'e', 86400},    {'j', 86400},   {'F', 86400},
                                   {'D', 86400},   {'x', 86400},    {'a', 86400},   {'A', 86400},
                                   {'u', 86400},   {'w', 86400},    {'m', 2678400}, {'b', 2678400},
                                   {'B', 2678400}, {'Y', 31622400}, {'y', 31622400}};
    std::optional<int> finest;
    for (qsizetype i = 0; i + 1 < name.size(); ++i) {
        if (name[i] != u'%')
            continue;
        const QChar letter = name[++i];
        for (const Field& field : fields)
            if (letter == QLatin1Char(field.letter))
                finest = std::min(finest.value_or(field.seconds), field.seconds);
    }
    return finest;
}

std::optional<StationConfig> readStationConfig(const QString& path, QString* error) {
    const auto fail = [&](int line, const QString& key, const QString& why) {
        *error = line > 0 ? QStringLiteral("%1:%2: %3: %4").arg(path).arg(line).arg(key, why)
                          : QStringLiteral("%1: %2").arg(path, why);
        return std::nullopt;
    };
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return fail(0, {},
                    info.exists() ? QCoreApplication::translate("StationConfig", "cannot be read")
                                  : QCoreApplication::translate("StationConfig", "no such file"));
    const QByteArray bytes = file.read(kLargestConfigFile + 1);
    if (bytes.size() > kLargestConfigFile)
        return fail(
            0, {},
            QCoreApplication::translate("StationConfig", "too large for a configuration file"));
    QString syntax;
    const std::optional<IniFile> ini = IniFile::parse(bytes, &syntax);
    if (!ini)
        return fail(0, {}, syntax);

    StationConfig config;
    StationConfig::Camera& camera = config.camera;
    StationConfig::Pictures& pictures = config.pictures;
    StationConfig::Schedule& schedule = config.schedule;
    UploadKeys upload;
    int nameLine = 0, intervalLine = 0, stopLine = 0, windowLine = 0;

    const auto setText = [](QString& field) {
        return [&field](const QString& value) {
            field = value;
            return QString();
        };
    };
    const auto list = [](SettingList which, std::optional<int>& position) {
        return
            [which, &position](const QString& value) { return listChoice(which, value, position); };
    };
    const std::map<QString, std::map<QString, Check>> keys = {
        {QStringLiteral("camera"),
         {{QStringLiteral("camera"),
           [&](const QString& value) {
               if (value != u"gphoto2" && value != u"simulator" &&
                   !(value.startsWith(QStringLiteral("simulator:")) && value.size() > 10))
                   return QCoreApplication::translate("StationConfig",
                                                      "gphoto2, simulator or simulator:FOLDER");
               camera.camera = value;
               return QString();
           }},
          {QStringLiteral("port"),
           [&](const QString& value) {
               if (value.isEmpty())
                   return QString();
               const CameraPort port = readCameraPort(value);
               camera.port = port.path;
               return port.problem;
           }},
          {QStringLiteral("image_size"), list(SettingList::ImageSize, camera.imageSize)},
          {QStringLiteral("exposure"), list(SettingList::ExposureMode, camera.exposureMode)},
          {QStringLiteral("white_balance"), list(SettingList::WhiteBalance, camera.whiteBalance)},
          {QStringLiteral("flash"), list(SettingList::Flash, camera.flash)},
          {QStringLiteral("iso"), list(SettingList::Iso, camera.iso)},
          {QStringLiteral("screen"), list(SettingList::Monitor, camera.monitor)},
          {QStringLiteral("focus"), list(SettingList::FocusMode, camera.focusMode)},
          {QStringLiteral("aperture"), list(SettingList::Aperture, camera.aperture)},
          {QStringLiteral("shutter"), list(SettingList::Shutter, camera.shutter)},
          {QStringLiteral("zoom"),
           [&](const QString& value) { return wholeNumber(value, 80, 240, camera.zoom); }},
          {QStringLiteral("focus_position"),
           [&](const QString& value) { return wholeNumber(value, 1, 240, camera.focusPosition); }},
          {QStringLiteral("keep_on_card"),
           [&](const QString& value) { return yesOrNo(value, camera.keepOnCard); }}}},
        {QStringLiteral("pictures"),
         {{QStringLiteral("folder"),
           [&](const QString& value) {
               if (value.isEmpty() || hasControlCharacter(value))
                   return QCoreApplication::translate("StationConfig",
                                                      "the folder the pictures go to");
               pictures.folder = value;
               return QString();
           }},
          {QStringLiteral("name"),
           [&](const QString& value) {
               if (value.isEmpty() || value.contains(u'/') || hasControlCharacter(value))
                   return QCoreApplication::translate("StationConfig",
                                                      "strftime fields and %n, without \"/\"");
               pictures.name = value;
               return QString();
           }},
          {QStringLiteral("min_free"),
           [&](const QString& value) { return size(value, pictures.minFreeBytes); }},
          {QStringLiteral("keep_days"),
           [&](const QString& value) {
               std::optional<int> days;
               const QString wrong = wholeNumber(value, 0, 36500, days);
               pictures.keepDays = days.value_or(0);
               return wrong;
           }}}},
        {QStringLiteral("schedule"),
         {{QStringLiteral("interval"),
           [&](const QString& value) { return interval(value, schedule.intervalSeconds); }},
          {QStringLiteral("start"),
           [&](const QString& value) { return moment(value, schedule.start); }},
          {QStringLiteral("stop"),
           [&](const QString& value) { return moment(value, schedule.stop); }},
          {QStringLiteral("count"),
           [&](const QString& value) {
               std::optional<int> count;
               const QString wrong = wholeNumber(value, 0, 2000000000, count);
               schedule.count = count.value_or(0);
               return wrong;
           }},
          {QStringLiteral("daily_from"),
           [&](const QString& value) { return timeOfDay(value, schedule.dailyFrom); }},
          {QStringLiteral("daily_to"),
           [&](const QString& value) { return timeOfDay(value, schedule.dailyTo); }}}},
        {QStringLiteral("upload"),
         {{QStringLiteral("url"), setText(upload.url)},
          {QStringLiteral("user"),
           [&](const QString& value) {
               upload.user = value;
               return hasControlCharacter(value)
                          ? QCoreApplication::translate("StationConfig", "no control characters")
                          : QString();
           }},
          {QStringLiteral("password_file"), setText(upload.passwordFile)},
          {QStringLiteral("latest_name"),
           [&](const QString& value) {
               config.upload.latestName = value;
               return value.isEmpty() ? QString() : plainName(value);
           }},
          {QStringLiteral("min_free_queue"),
           [&](const QString& value) {
               return size(value, config.upload.queueLimits.minFreeBytes);
           }},
          {QStringLiteral("drop_oldest"),
           [&](const QString& value) {
               return yesOrNo(value, config.upload.queueLimits.dropOldestWhenLow);
           }}}},
        {QStringLiteral("s3"),
         {{QStringLiteral("endpoint"), setText(upload.endpoint)},
          {QStringLiteral("region"),
           [&](const QString& value) {
               upload.region = value;
               return value.isEmpty() || hasControlCharacter(value)
                          ? QCoreApplication::translate("StationConfig",
                                                        "the region, e.g. us-east-1")
                          : QString();
           }},
          {QStringLiteral("access_key"),
           [&](const QString& value) {
               upload.accessKey = value;
               return hasControlCharacter(value)
                          ? QCoreApplication::translate("StationConfig", "no control characters")
                          : QString();
           }},
          {QStringLiteral("secret_file"), setText(upload.secretFile)},
          {QStringLiteral("addressing"), setText(upload.addressing)}}}};

    for (const IniValue& value : ini->values) {
        const auto section = keys.find(value.section);
        if (section == keys.end())
            return fail(
                value.line, value.key,
                value.section.isEmpty()
                    ? QCoreApplication::translate("StationConfig",
                                                  "outside any section; the sections are [camera], "
                                                  "[pictures], [schedule], [upload] and [s3]")
                    : QCoreApplication::translate("StationConfig", "unknown section [%1]")
                          .arg(value.section));
        const auto key = section->second.find(value.key);
        if (key == section->second.end())
            return fail(value.line, value.key,
                        QCoreApplication::translate("StationConfig", "unknown key in [%1]")
                            .arg(value.section));
        if (const QString wrong = key->second(value.value); !wrong.isEmpty())
            return fail(value.line, value.key, wrong);
        const QString& k = value.key;
        const int line = value.line;
        if (k == u"url")
            upload.urlLine = line;
        else if (k == u"endpoint")
            upload.endpointLine = line;
        else if (k == u"password_file")
            upload.passwordLine = line;
        else if (k == u"secret_file")
            upload.secretLine = line;
        else if (k == u"addressing")
            upload.addressingLine = line;
        else if (k == u"name")
            nameLine = line;
        else if (k == u"interval")
            intervalLine = line;
        else if (k == u"stop")
            stopLine = line;
        else if (k == u"daily_from" || k == u"daily_to")
            windowLine = line;
    }

    // What only the keys together can tell.
    const std::optional<int> resolution = nameResolutionSeconds(pictures.name);
    if (!resolution || *resolution > schedule.intervalSeconds)
        return fail(nameLine ? nameLine : intervalLine, QStringLiteral("name"),
                    QCoreApplication::translate(
                        "StationConfig",
                        "\"%1\" would give pictures the same name: add %n or a field "
                        "that changes at least every interval (e.g. %S)")
                        .arg(pictures.name));
    if (schedule.start && schedule.stop && *schedule.stop <= *schedule.start)
        return fail(stopLine, QStringLiteral("stop"),
                    QCoreApplication::translate("StationConfig", "before the start"));
    if (schedule.dailyFrom.has_value() != schedule.dailyTo.has_value())
        return fail(windowLine, QStringLiteral("daily_from"),
                    QCoreApplication::translate("StationConfig",
                                                "give both daily_from and daily_to, or neither"));
    if (schedule.dailyFrom && *schedule.dailyFrom == *schedule.dailyTo)
        return fail(windowLine, QStringLiteral("daily_to"),
                    QCoreApplication::translate("StationConfig", "the daily window is empty"));
    if (camera.port.size() > 0 && camera.camera != u"gphoto2")
        return fail(0, {},
                    QCoreApplication::translate("StationConfig",
                                                "port is for real cameras (camera = gphoto2)"));
    int uploadLine = 0;
    QString uploadKey;
    if (const QString wrong =
            destinationOf(upload, config.upload.destination, uploadLine, uploadKey);
        !wrong.isEmpty())
        return fail(uploadLine, uploadKey, wrong);
    return config;
}

} // namespace snapdeck

#include "ServerHoldings.h"

#include "PictureLedger.h"

#include <QDir>
#include <QFile>
#include <map>

namespace snapdeck::soak {

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

ServerHoldings serverHoldings(const QString& workFolder, const QString& serverFolder) {
    ServerHoldings holdings;
    const auto note = [&holdings](const QString& what) {
        if (holdings.examples.size() < 10)
            holdings.examples << what;
    };
    const QDir work(workFolder);
    const QDir server(serverFolder);
    std::map<quint64, int> names; // a picture's number: the names it is held under
    for (const QFileInfo& file : server.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const QString name = file.fileName();
        if (name.startsWith(u'.') && name.endsWith(QStringLiteral(".part"))) {
            ++holdings.partFiles;
            continue;
        }
        ++holdings.onServer;
        const QByteArray held = contents(file.absoluteFilePath());
        if (!held.isEmpty() && held == contents(work.filePath(name))) {
            ++holdings.identical;
        } else {
            ++holdings.half;
            note(QStringLiteral("half: ") + name);
        }
        if (const std::optional<quint64> shot = shotNumberOf(file.absoluteFilePath()))
            if (++names[*shot] == 2) {
                ++holdings.underTwoNames;
                note(QStringLiteral("under two names: ") + name);
            }
    }
    for (const QFileInfo& file :
         work.entryInfoList({QStringLiteral("*.jpg"), QStringLiteral("*.JPG")}, QDir::Files)) {
        if (file.fileName() == QStringLiteral("preview.jpg") ||
            QFileInfo::exists(server.filePath(file.fileName())))
            continue;
        ++holdings.missing;
        note(QStringLiteral("not on the server: ") + file.fileName());
    }
    return holdings;
}

} // namespace snapdeck::soak

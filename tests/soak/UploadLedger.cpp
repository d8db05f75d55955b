#include "UploadLedger.h"

#include <QDir>
#include <QFile>

namespace snapdeck::soak {

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void UploadLedger::note(const QString& fileName, bool failed) {
    ++count_.attempted;
    const QString onServer = QDir(serverFolder_).filePath(fileName);
    if (failed) {
        ++count_.failed;
        count_.failedButOnServer += QFile::exists(onServer) ? 1 : 0;
        return;
    }
    ++count_.done;
    const QByteArray sent = contents(onServer);
    if (!sent.isEmpty() && sent == contents(QDir(workFolder_).filePath(fileName)))
        ++count_.doneAndIdentical;
    else if (count_.missing.size() < 20)
        count_.missing.append(fileName);
}

UploadCount UploadLedger::count() const {
    UploadCount count = count_;
    for (const QFileInfo& file : QDir(serverFolder_).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (file.fileName().endsWith(QStringLiteral(".part")))
            ++count.partFiles;
        else
            ++count.onServer;
    }
    return count;
}

} // namespace snapdeck::soak

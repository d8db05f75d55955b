#include "StationLog.h"

#include "common/Clock.h"

#include <QFile>
#include <QFileInfo>

namespace snapdeck {

StationLog::StationLog(QString path, const Clock& clock, std::FILE* console)
    : path_(std::move(path)), clock_(clock), console_(console) {
    if (path_.isEmpty())
        return;
    file_ = std::fopen(QFile::encodeName(path_).constData(), "ae");
    written_ = QFileInfo(path_).size();
}

StationLog::~StationLog() {
    if (file_)
        std::fclose(file_);
}

void StationLog::write(const QString& line) {
    const QByteArray text =
        (clock_.now().toString(Qt::ISODate) + u' ' + line).toUtf8().replace('\n', ' ') + '\n';
    std::lock_guard lock(mutex_);
    if (console_) {
        std::fwrite(text.constData(), 1, size_t(text.size()), console_);
        std::fflush(console_);
    }
    if (!file_)
        return;
    rotateIfFull();
    if (!file_)
        return;
    std::fwrite(text.constData(), 1, size_t(text.size()), file_);
    std::fflush(file_);
    written_ += text.size();
}

// The full file becomes "station.log.1" (the one before goes); lines go on in a new one.
void StationLog::rotateIfFull() {
    if (written_ < kRotateBytes)
        return;
    std::fclose(file_);
    const QByteArray current = QFile::encodeName(path_);
    const QByteArray previous = QFile::encodeName(path_ + QStringLiteral(".1"));
    std::rename(current.constData(), previous.constData());
    file_ = std::fopen(current.constData(), "ae");
    written_ = 0;
}

} // namespace snapdeck

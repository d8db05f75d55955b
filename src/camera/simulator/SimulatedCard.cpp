#include "SimulatedCard.h"

#include "SimulatedCameraErrors.h"
#include "common/AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <limits>
#include <vector>

namespace snapdeck {

using simulated::raiseCameraError;
using simulated::SimulatedError::BadIndex;
using simulated::SimulatedError::CardFileFailed;
using simulated::SimulatedError::CardNumbersUsedUp;

namespace {

// Card file numbers have four digits, as on a real card.
constexpr int kLastFileNumber = 9999;

void checkNumber(int number, int count) {
    if (number < 1 || number > count)
        raiseCameraError(BadIndex,
                         QCoreApplication::translate(
                             "SimulatedCamera", "Снимка номер %1 нет на карте памяти (снимков: %2)")
                             .arg(QString::number(number), QString::number(count)));
}

// A picture's file name on the card, as a real camera numbers them.
QString cardFileName(int number) {
    return QStringLiteral("SNAP%1.JPG").arg(number, 4, 10, QChar(u'0'));
}

class MemoryCard final : public SimulatedCard {
public:
    bool present() const override { return true; }
    int count() const override { return static_cast<int>(pictures_.size()); }
    qint64 bytesUsed() const override {
        qint64 total = 0;
        for (const Picture& picture : pictures_)
            total += picture.bytes.size();
        return total;
    }
    qint64 pictureBytes(int number) const override { return picture(number).size(); }
    QByteArray picture(int number) const override {
        checkNumber(number, count());
        return pictures_[static_cast<size_t>(number - 1)].bytes;
    }
    QString pictureName(int number) const override {
        checkNumber(number, count());
        return pictures_[static_cast<size_t>(number - 1)].name;
    }
    int nextFileNumber() const override { return nextNumber_; }
    void store(const QByteArray& jpeg) override {
        pictures_.push_back({cardFileName(nextNumber_), jpeg});
        ++nextNumber_;
    }
    void remove(int number) override {
        checkNumber(number, count());
        pictures_.erase(pictures_.begin() + (number - 1));
    }

private:
    struct Picture {
        QString name;
        QByteArray bytes;
    };
    std::vector<Picture> pictures_;
    int nextNumber_ = 1;
};

class FolderCard final : public SimulatedCard {
public:
    explicit FolderCard(const QString& folder) : folder_(folder) {}

    // A fresh stat on every call, so renaming the folder takes the card out at once.
    bool present() const override { return QFileInfo(folder_).isDir(); }
    int count() const override { return static_cast<int>(pictureFiles().size()); }
    qint64 bytesUsed() const override {
        qint64 total = 0;
        for (const QFileInfo& file : pictureFiles())
            total += file.size();
        return total;
    }
    qint64 pictureBytes(int number) const override { return pictureFile(number).size(); }
    QString pictureName(int number) const override { return pictureFile(number).fileName(); }
    QByteArray picture(int number) const override {
        const QFileInfo info = pictureFile(number);
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            raiseCameraError(
                CardFileFailed,
                QCoreApplication::translate("SimulatedCamera", "Не удалось прочитать снимок %1: %2")
                    .arg(info.fileName(), file.errorString()));
        return file.readAll();
    }
    int nextFileNumber() const override {
        static const QRegularExpression cardName(QStringLiteral("^\\w{4}(\\d{4})\\.jpg$"),
                                                 QRegularExpression::CaseInsensitiveOption);
        int highest = 0;
        for (const QFileInfo& file : pictureFiles()) {
            const QRegularExpressionMatch match = cardName.match(file.fileName());
            if (match.hasMatch())
                highest = std::max(highest, match.captured(1).toInt());
        }
        return highest + 1;
    }
    void store(const QByteArray& jpeg) override {
        const int number = nextFileNumber();
        if (number > kLastFileNumber)
            raiseCameraError(CardNumbersUsedUp,
                             QCoreApplication::translate(
                                 "SimulatedCamera", "Номера файлов на карте памяти исчерпаны"));
        const QString name = cardFileName(number);
        const QString path = QDir(folder_).filePath(name);
        const QFileInfoList before = pictureFiles();
        try {
            writeFileAtomically(path, jpeg);
        } catch (const AppError& error) {
            raiseCameraError(error.number(), error.description());
        }
        makeNewest(path, before);
    }
    void remove(int number) override {
        const QFileInfo info = pictureFile(number);
        QFile file(info.absoluteFilePath());
        if (!file.remove())
            raiseCameraError(
                CardFileFailed,
                QCoreApplication::translate("SimulatedCamera", "Не удалось удалить снимок %1: %2")
                    .arg(info.fileName(), file.errorString()));
    }

private:
    static qint64 modifiedMs(const QFileInfo& file) {
        return file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
    }

    // Every JPEG file of the folder in the order it was stored: by modification time,
    // then by name, as a camera numbers its files. Other files (camera.ini) are not
    // pictures.
    QFileInfoList pictureFiles() const {
        QDir dir(folder_);
        dir.setNameFilters({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")});
        dir.setFilter(QDir::Files);
        dir.setSorting(QDir::NoSort);
        const QFileInfoList files = dir.entryInfoList();
        struct Entry {
            qint64 modified;
            QFileInfo file;
        };
        std::vector<Entry> entries;
        entries.reserve(static_cast<size_t>(files.size()));
        for (const QFileInfo& file : files)
            entries.push_back({modifiedMs(file), file});
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            if (a.modified != b.modified)
                return a.modified < b.modified;
            const int folded = a.file.fileName().compare(b.file.fileName(), Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a.file.fileName() < b.file.fileName();
        });
        QFileInfoList sorted;
        sorted.reserve(files.size());
        for (const Entry& entry : entries)
            sorted.append(entry.file);
        return sorted;
    }

    // A capture copies the last picture on the card, so the one just stored must be
    // last even beside a file copied in with a later time (a clock set ahead, a copy
    // keeping its time): it gets a time just after theirs.
    void makeNewest(const QString& path, const QFileInfoList& others) const {
        qint64 latest = std::numeric_limits<qint64>::min();
        for (const QFileInfo& other : others)
            latest = std::max(latest, modifiedMs(other));
        if (modifiedMs(QFileInfo(path)) > latest)
            return;
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(QDateTime::fromMSecsSinceEpoch(latest + 1),
                              QFileDevice::FileModificationTime)) {
            const QString reason = file.errorString();
            file.close();
            // Left as it is, the picture would not be the newest and a capture would
            // copy and delete another.
            QFile::remove(path);
            raiseCameraError(CardFileFailed,
                             QCoreApplication::translate("SimulatedCamera",
                                                         "Не удалось записать время снимка %1: %2")
                                 .arg(QFileInfo(path).fileName(), reason));
        }
    }
    QFileInfo pictureFile(int number) const {
        const QFileInfoList files = pictureFiles();
        checkNumber(number, static_cast<int>(files.size()));
        return files[number - 1];
    }

    QString folder_;
};

} // namespace

std::unique_ptr<SimulatedCard> SimulatedCard::inMemory() {
    return std::make_unique<MemoryCard>();
}

std::unique_ptr<SimulatedCard> SimulatedCard::inFolder(const QString& folder) {
    return std::make_unique<FolderCard>(folder);
}

} // namespace snapdeck

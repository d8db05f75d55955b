#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace snapdeck {

// The folder the program keeps its files in: "preview.jpg", the pictures and
// "ftp.ini". File names carry no folder part; this turns them into paths. The program
// uses the current folder, named by relative paths: a folder whose name is not valid
// UTF-8 (an old Windows-1251 "Фото" on a USB disk) cannot be spelled as a QString, but
// "image.jpg" inside it can. Tests give it a folder of their own.
class WorkFolder {
public:
    WorkFolder() = default;
    explicit WorkFolder(const QString& path) : dir_(QDir(path).absolutePath()) {}

    QString path(const QString& fileName) const {
        return dir_.isEmpty() ? fileName : dir_ + u'/' + fileName;
    }
    bool exists(const QString& fileName) const { return QFileInfo::exists(path(fileName)); }

private:
    QString dir_; // empty: the current folder
};

} // namespace snapdeck

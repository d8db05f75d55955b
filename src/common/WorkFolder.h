#pragma once

#include <QDir>
#include <QString>

namespace snapdeck {

// The folder the program keeps its files in: "preview.jpg", the pictures and
// "ftp.ini". File names carry no folder part; this turns them into paths. The program
// uses the current folder; tests give it a temporary one.
class WorkFolder {
public:
    WorkFolder() : dir_(QDir::current()) {}
    explicit WorkFolder(const QString& path) : dir_(path) {}

    QString path(const QString& fileName) const { return dir_.absoluteFilePath(fileName); }
    bool exists(const QString& fileName) const { return dir_.exists(fileName); }
    QString absolutePath() const { return dir_.absolutePath(); }

private:
    QDir dir_;
};

} // namespace snapdeck

#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace snapdeck::gphoto2 {

// A picture on the camera's card.
struct CardPicture {
    QString folder; // "/store_00010001/DCIM/100CANON"
    QString name;   // "IMG_0042.JPG"

    friend bool operator==(const CardPicture&, const CardPicture&) = default;
};

// The program works with JPEG pictures; raw files and movies on the card are not counted.
bool isJpegName(const QString& name);

// The card's JPEG pictures numbered the program's way: oldest first, newest last.
// Cameras number folders and files upwards (DCIM/100xxxxx/IMG_0001.JPG), so the order
// is by folder, then by name with numbers compared as numbers. The picture we have
// just taken ("newest") goes last whatever its name, since capture reads the newest.
QList<CardPicture> picturesNewestLast(QList<CardPicture> pictures,
                                      const std::optional<CardPicture>& newest);

// The pictures of "after" that "before" does not have, in the order of "after".
QList<CardPicture> picturesAdded(const QList<CardPicture>& before, const QList<CardPicture>& after);

} // namespace snapdeck::gphoto2

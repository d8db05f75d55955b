#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace snapdeck {

// The simulated camera's memory card: pictures numbered 1..count() in the order they
// were taken, the newest last, and a file number for the next picture that keeps
// counting up as a real camera's does.
//
// A card in memory vanishes with the camera. A card folder keeps every picture as a
// JPEG file named like a real card's ("SNAP0001.JPG"); picture n is the n-th JPEG file
// by modification time, then by name, so the card survives a restart and pictures
// copied in by hand count too, in the order they were stored. A picture the camera
// stores is always the last, whatever time the other files carry. The folder card is
// absent while the folder does not exist.
//
// Numbers outside 1..count() and failing file operations raise CameraError.
class SimulatedCard {
public:
    virtual ~SimulatedCard() = default;

    static std::unique_ptr<SimulatedCard> inMemory();
    static std::unique_ptr<SimulatedCard> inFolder(const QString& folder);

    virtual bool present() const = 0;
    virtual int count() const = 0;
    virtual qint64 bytesUsed() const = 0;
    virtual qint64 pictureBytes(int number) const = 0;
    virtual QByteArray picture(int number) const = 0;
    // The picture's file name on the card ("SNAP0001.JPG").
    virtual QString pictureName(int number) const = 0;
    // The file number the next stored picture will carry.
    virtual int nextFileNumber() const = 0;
    virtual void store(const QByteArray& jpeg) = 0;
    virtual void remove(int number) = 0;
};

} // namespace snapdeck

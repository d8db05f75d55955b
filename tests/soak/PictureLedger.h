#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace snapdeck::soak {

// The number a simulated picture carries in its JPEG comment ("...; shot 17"): every
// picture the camera makes has its own. Nothing when the file has none.
std::optional<quint64> shotNumberOf(const QString& path);

// Where every picture the camera took ended up, told by the pictures' contents.
struct PictureCount {
    int taken = 0;
    int onDisk = 0;        // distinct pictures among the working folder's JPEG files
    int onCard = 0;        // pictures still on the card
    int onDiskAndCard = 0; // written, then kept on the card as well
    int lost = 0;          // taken, and neither on disk nor on the card
    int duplicatesOnDisk = 0;
    int damaged = 0;        // a file that does not decode or carries no number
    int strays = 0;         // a picture nobody saw the camera take
    int temporaryFiles = 0; // half-written files left in the working folder
    int diskFiles = 0;
};

// Notes each picture the moment the camera takes it, and at the end looks for each on
// the disk and on the card.
class PictureLedger {
public:
    // Room for the pictures taken while the run stores "pictures" is made at once: the
    // ledger does not grow while the soak measures memory.
    PictureLedger(QString cardFolder, int pictures);

    // The camera has just taken a picture: the newest file on the card.
    void noteTaken();
    int taken() const { return static_cast<int>(taken_.size()) + unidentified_; }

    PictureCount count(const QString& workFolder) const;

private:
    QString cardFolder_;
    std::vector<quint64> taken_; // in the order taken, so rising
    int unidentified_ = 0;       // taken, but the newest file on the card was not new
};

} // namespace snapdeck::soak

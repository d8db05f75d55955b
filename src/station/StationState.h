#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace snapdeck {

// What the station must remember across a kill or a power cut, kept in a file beside
// the pictures, written whole and flushed after every change.
struct StationState {
    qint64 stored = 0;                   // pictures stored: the count limit counts these
    qint64 counter = 0;                  // the last %n given: names never repeat
    std::optional<QDateTime> anchor;     // the grid's anchor when no start is configured
    std::optional<qint64> lastGridPoint; // the grid point handled last
    // A shot the station took and noted before copying it: left on the card by a fault
    // (or a stop), it is copied at the next good round.
    struct OnCard {
        QString cardName; // empty: not named yet, the picture after "picturesBefore"
        QString fileName; // the name it was to get
        int picturesBefore = -1;
        bool stored = false; // on disk already: only the card's copy is left to delete
        friend bool operator==(const OnCard&, const OnCard&) = default;
    };
    QList<OnCard> onCard;
    friend bool operator==(const StationState&, const StationState&) = default;

    // Nothing for a file that is missing; an error text for one that is damaged.
    static std::optional<StationState> read(const QString& path, QString* damaged);
    // Raises AppError when the file cannot be written.
    void write(const QString& path) const;
};

} // namespace snapdeck

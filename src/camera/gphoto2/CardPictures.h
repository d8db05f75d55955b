#pragma once

#include "PictureOrder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <cstdint>
#include <functional>
#include <optional>

namespace snapdeck::gphoto2 {

class Gphoto2Session;

// The pictures on the camera's card as the program numbers them (1..count, newest
// last): counting, size, copying and deleting, and the room left.
class CardPictures {
    Q_DECLARE_TR_FUNCTIONS(CardPictures)

public:
    // "reopen" ends the camera session and opens it afresh: the only way to make the
    // driver list the card again instead of answering from what it remembers.
    // "lifeSign" is given after each folder listed: a full card over a slow link takes
    // longer than a call's limit, but a listing that moves on is not cut off.
    CardPictures(Gphoto2Session& session, std::function<void()> reopen,
                 std::function<void()> lifeSign);

    // The number of JPEG pictures. After a capture, the picture it made must be among
    // them: otherwise the newest by name would pass for it, and this is an error.
    int count();
    // The card's JPEG pictures in the program's order, as the driver knows them now.
    QList<CardPicture> listCard();
    // Pictures that still fit: the camera's own estimate, else the free space divided
    // by the average size of the pictures on the card; -1 when the camera cannot say.
    int remaining();

    std::int64_t size(int number);
    // "chunkArrived" hears the bytes copied so far and the picture's size as the driver
    // knows it (0 when it does not).
    QByteArray
    download(int number,
             const std::function<void(std::int64_t done, std::int64_t total)>& chunkArrived);

    // Deletes picture "number" and makes sure it is gone: the library can report
    // success for a delete the camera never did. The card's free
    // room growing by the picture's size is proof enough; without it the card is listed
    // afresh in a new session.
    void remove(int number);

    // The picture a capture has just made; it counts as the newest.
    void captured(const CardPicture& picture);
    // Before a capture: the picture of the last one is no longer the newest.
    void forgetCapture() { newest_.reset(); }
    // Forgets the listing after the session was opened afresh.
    void forgetListing();

    // Picture "number" of the listing, the card listed first when it is not yet.
    CardPicture pictureAt(int number);

private:
    void collect(const QString& folder, QList<CardPicture>& found, int depth);
    bool isOnCard(const CardPicture& picture);
    // The picture's size as the driver knows it; 0 when unknown.
    std::int64_t pictureBytes(const CardPicture& picture);
    // Free room on the card's storages, KiB; nothing when the camera does not say.
    std::optional<std::int64_t> freeKiB();

    Gphoto2Session& session_;
    std::function<void()> reopen_;
    std::function<void()> lifeSign_;
    QList<CardPicture> listing_;
    bool listed_ = false;
    std::optional<CardPicture> newest_;
};

// True when the free room grew by at least the deleted picture's size (KiB readings).
bool roomFreed(std::optional<std::int64_t> beforeKiB, std::optional<std::int64_t> afterKiB,
               std::int64_t pictureBytes);

} // namespace snapdeck::gphoto2

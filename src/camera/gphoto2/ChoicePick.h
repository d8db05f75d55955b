#pragma once

#include <QString>

namespace snapdeck::gphoto2 {

// The camera's choice for one of the program's setting codes.
struct ChoicePick {
    enum class Status {
        Found,       // "choice" is the camera's text to write
        UnknownCode, // the program has no such code for this setting
        NoMatch      // the camera offers nothing near the code's meaning
    };
    Status status = Status::UnknownCode;
    QString choice;
    QString meaning; // the code's meaning for the user (Russian), for messages

    static ChoicePick found(QString choice, QString meaning) {
        return {Status::Found, std::move(choice), std::move(meaning)};
    }
    static ChoicePick noMatch(QString meaning) { return {Status::NoMatch, {}, std::move(meaning)}; }
    static ChoicePick unknownCode() { return {}; }
};

} // namespace snapdeck::gphoto2

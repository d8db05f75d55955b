#pragma once

#include <QString>
#include <exception>
#include <string>

namespace snapdeck {

// An error as the program reports it: a number, the part that raised it and a
// description. Camera operations, file writes and picture loading all raise these;
// handlers catch them at their end and show the error message box.
class AppError : public std::exception {
public:
    AppError(int number, QString source, QString description);
    // "consequence": a line on what became of the picture or what to do, shown after
    // the description.
    AppError(int number, QString source, QString description, QString consequence);

    int number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }
    const QString& consequence() const { return consequence_; }
    // The same error with a line on what became of the picture or what to do (kept
    // when it already has one: the closer to the fault, the better it knows).
    AppError withConsequence(const QString& consequence) const;
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString source_;
    QString description_;
    QString consequence_;
    std::string what_;
};

// Error numbers the program raises itself, beside those of the camera.
namespace ErrorNumber {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int BadFileName = 52;
constexpr int DiskFull = 61;
constexpr int FileAccess = 75;
constexpr int InvalidPropertyValue = 380;
constexpr int InvalidPicture = 481;
} // namespace ErrorNumber

// The part of the system an error comes from, as the user knows it: the first line of
// the error message box. Errors carry it untranslated; errorMessage() translates it
// when the box is built.
inline const QString kAppErrorSource = QStringLiteral("Snapdeck");
inline const QString kCameraSource = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Камера"));
inline const QString kDiskSource = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "Диск"));
inline const QString kUploadSource = QStringLiteral(QT_TRANSLATE_NOOP("AppError", "FTP"));

} // namespace snapdeck

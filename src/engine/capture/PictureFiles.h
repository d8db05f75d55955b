#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

namespace snapdeck {

// The file every capture writes over while "Переписать пред. кадр на диске" is ticked,
// and the preview's file.
inline const QString kOverwrittenPictureName = QStringLiteral("image.jpg");
inline const QString kPreviewFileName = QStringLiteral("preview.jpg");

// The name of a picture taken at "moment": the locale's general date text with ".",
// ":", " ", "/" and "\" turned into "_", then ".jpg" (06_12_2026_8_05_03.jpg in
// Russian). A name already taken gets "_2", "_3", ... before ".jpg", so a second capture
// in the same second never replaces the first.
QString datedPictureName(const QDateTime& moment, const QLocale& locale,
                         const std::function<bool(const QString&)>& isTaken);

// Raises AppError (481) when the file cannot be shown as a picture. Reads only the
// picture's header: the faces decode it for display on their own time.
void checkShowable(const QString& path);

} // namespace snapdeck

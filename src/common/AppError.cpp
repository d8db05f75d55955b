#include "AppError.h"

namespace snapdeck {

AppError::AppError(int number, QString source, QString description)
    : number_(number), source_(std::move(source)), description_(std::move(description)),
      what_(QStringLiteral("%1: %2 (%3)").arg(source_, description_).arg(number_).toStdString()) {}

} // namespace snapdeck

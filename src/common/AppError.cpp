#include "AppError.h"

namespace snapdeck {

AppError::AppError(int number, QString source, QString description)
    : AppError(number, std::move(source), std::move(description), QString()) {}

AppError::AppError(int number, QString source, QString description, QString consequence)
    : number_(number), source_(std::move(source)), description_(std::move(description)),
      consequence_(std::move(consequence)),
      what_(QStringLiteral("%1: %2 (%3)").arg(source_, description_).arg(number_).toStdString()) {}

AppError AppError::withConsequence(const QString& consequence) const {
    if (!consequence_.isEmpty())
        return *this;
    return AppError(number_, source_, description_, consequence);
}

} // namespace snapdeck

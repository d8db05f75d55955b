#include "CameraScript.h"

#include "camera/CameraError.h"

namespace snapdeck::test {

void CameraScript::failNext(const QString& operation, int errorNumber, int times,
                            const QString& description) {
    faults_.insert(operation, Fault{errorNumber, times, description});
}

void CameraScript::reportNext(const QString& key, std::int64_t value, int times) {
    reports_.insert(key, Report{value, times});
}

void CameraScript::clearScript() {
    faults_.clear();
    reports_.clear();
}

QStringList CameraScript::logOf(const QStringList& operations) const {
    QStringList result;
    for (const QString& entry : log_) {
        const QString key = entry.left(entry.indexOf(u'('));
        if (operations.contains(key))
            result.append(entry);
    }
    return result;
}

void CameraScript::enter(const QString& operation, const QString& entry) {
    if (log_.size() >= kLogCapacity)
        log_.removeFirst();
    log_.append(entry);
    auto fault = faults_.find(operation);
    if (fault == faults_.end())
        return;
    const Fault due = *fault;
    if (--fault->times <= 0)
        faults_.erase(fault);
    throw CameraError(due.number, kCameraSource,
                      due.description.isEmpty()
                          ? QStringLiteral("Сбой операции %1, заданный сценарием").arg(operation)
                          : due.description);
}

std::optional<std::int64_t> CameraScript::reported(const QString& key) {
    auto report = reports_.find(key);
    if (report == reports_.end())
        return std::nullopt;
    const std::int64_t value = report->value;
    if (--report->times <= 0)
        reports_.erase(report);
    return value;
}

} // namespace snapdeck::test

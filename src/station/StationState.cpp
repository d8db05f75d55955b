#include "StationState.h"

#include "common/AtomicFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace snapdeck {

std::optional<StationState> StationState::read(const QString& path, QString* damaged) {
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(1024 * 1024), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *damaged = QStringLiteral("%1 is damaged (%2): the station starts afresh")
                       .arg(path, error.errorString());
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    StationState state;
    state.stored = object.value(QStringLiteral("stored")).toInteger();
    state.counter = object.value(QStringLiteral("counter")).toInteger();
    const QDateTime anchor =
        QDateTime::fromString(object.value(QStringLiteral("anchor")).toString(), Qt::ISODate);
    if (anchor.isValid())
        state.anchor = anchor;
    if (object.contains(QStringLiteral("lastGridPoint")))
        state.lastGridPoint = object.value(QStringLiteral("lastGridPoint")).toInteger();
    for (const QJsonValue& value : object.value(QStringLiteral("onCard")).toArray()) {
        const QJsonObject shot = value.toObject();
        state.onCard.append({shot.value(QStringLiteral("card")).toString(),
                             shot.value(QStringLiteral("file")).toString(),
                             shot.value(QStringLiteral("before")).toInt(-1),
                             shot.value(QStringLiteral("stored")).toBool()});
    }
    return state;
}

void StationState::write(const QString& path) const {
    QJsonArray shots;
    for (const OnCard& shot : onCard)
        shots.append(QJsonObject{{QStringLiteral("card"), shot.cardName},
                                 {QStringLiteral("file"), shot.fileName},
                                 {QStringLiteral("before"), shot.picturesBefore},
                                 {QStringLiteral("stored"), shot.stored}});
    QJsonObject object{{QStringLiteral("stored"), stored},
                       {QStringLiteral("counter"), counter},
                       {QStringLiteral("onCard"), shots}};
    if (anchor)
        object.insert(QStringLiteral("anchor"), anchor->toString(Qt::ISODate));
    if (lastGridPoint)
        object.insert(QStringLiteral("lastGridPoint"), *lastGridPoint);
    writeFileAtomically(path, QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace snapdeck

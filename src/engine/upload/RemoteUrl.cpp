#include "RemoteUrl.h"

#include <QStringList>
#include <QUrl>

namespace snapdeck {

QByteArray serverUrl(const QString& scheme, const QString& host, int port) {
    if (host.isEmpty())
        return {};
    QUrl url;
    url.setScheme(scheme);
    url.setHost(host, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    if (port > 0)
        url.setPort(port);
    return url.toEncoded();
}

QByteArray encodedName(const QString& text) {
    return QUrl::toPercentEncoding(text);
}

QByteArray encodedFolderPath(const QString& folder) {
    QByteArrayList parts;
    for (const QString& part : folder.split(u'/', Qt::SkipEmptyParts))
        parts.append(encodedName(part));
    return parts.join('/');
}

} // namespace snapdeck

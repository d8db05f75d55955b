#pragma once

#include <QByteArray>
#include <QString>

namespace snapdeck {

// "scheme://host[:port]" for a host as the user typed it: international names become
// ASCII, IPv6 addresses get brackets, port 0 leaves the protocol's default. Empty when
// the text cannot be a host name.
QByteArray serverUrl(const QString& scheme, const QString& host, int port);

// Every character but the unreserved ones percent-encoded as UTF-8, "/" included, so
// that a name reaches the server exactly as written.
QByteArray encodedName(const QString& text);

// A folder as URL path segments: each part between "/" encoded, empty parts dropped.
QByteArray encodedFolderPath(const QString& folder);

} // namespace snapdeck

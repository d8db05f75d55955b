#include "LibraryHome.h"

#include <QDir>
#include <QtGlobal>
#include <pwd.h>
#include <unistd.h>

namespace snapdeck::gphoto2 {

void ensureHomeForLibrary() {
    if (!qEnvironmentVariableIsEmpty("HOME"))
        return;
    const passwd* user = getpwuid(getuid());
    const QByteArray home = user && user->pw_dir && *user->pw_dir ? QByteArray(user->pw_dir)
                                                                  : QDir::tempPath().toLocal8Bit();
    qputenv("HOME", home);
}

} // namespace snapdeck::gphoto2

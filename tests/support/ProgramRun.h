#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace snapdeck::test {

// How a run of the program ended; status -1 when it did not start or did not end in time.
struct Finished {
    bool normalExit = false;
    int status = -1;
    QString output;
    QString errors;
};

// Runs "program" where no display can be reached: on the X11 platform with no DISPLAY,
// any window, or any Qt application object that needs a screen, ends it with an error.
// "environment" is what it starts from (the locale variables a test chooses, say).
Finished
runWithoutDisplay(const QString& program, const QStringList& arguments,
                  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

} // namespace snapdeck::test

#pragma once

#include <QString>
#include <QStringList>

namespace snapdeck::soak {

// What the server's folder holds against the working folder, told by the files'
// contents: once the server is back and the queue has drained, every picture on disk
// should be there whole, under its one name.
struct ServerHoldings {
    int onServer = 0;      // files under a visible name
    int identical = 0;     // of those, byte for byte the disk's file of that name
    int half = 0;          // a visible name holding anything else
    int missing = 0;       // pictures on disk the server does not hold
    int partFiles = 0;     // hidden ".NAME.part" files a cut upload left
    int underTwoNames = 0; // pictures held under more than one name
    QStringList examples;  // a few names of what is wrong, for the report
};

ServerHoldings serverHoldings(const QString& workFolder, const QString& serverFolder);

} // namespace snapdeck::soak

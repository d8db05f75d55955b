#pragma once

#include "FaultPlan.h"
#include "FtpServerProcess.h"
#include "KillAtStor.h"
#include "support/SilentServer.h"

#include <QString>
#include <deque>
#include <map>
#include <optional>

namespace snapdeck::soak {

// The station's FTP server on its one port, and its outages: stopped, killed (between
// uploads or in the middle of one), replaced by a server that stalls. An outage that
// comes while another lasts waits for it to end. When an outage ends, the real server
// is back on the same port with the pictures it had.
class FtpServerSide {
public:
    // The server serves FOLDER/root and logs its commands to FOLDER/events.
    FtpServerSide(const QString& folder, QString user, QString password);

    bool start();
    int port() const { return server_.port(); }
    QString root() const { return root_; }
    QString failure() const { return failure_; }
    bool outageActive() const { return current_.has_value(); }

    void begin(const ServerFault& fault);
    // The engine is about to send a picture: a kill waiting for that moment strikes.
    void pictureAboutToBeSent();
    // Uploads run on a thread of their own, with no moment to hook: a kill mid-upload
    // strikes when the server logs the STOR of a picture instead.
    void killMidUploadAtStor() { killAtStor_ = true; }
    // One round has passed.
    void endOfRound();
    // Every outage ends now, the waiting ones too: the real server is back.
    void endAllOutages();

    std::map<ServerOutage, int> outagesBegun;
    int killedAtStor = 0; // kills mid-upload that struck at a STOR

private:
    void strike();
    void restore();

    QString root_;
    FtpServerProcess server_;
    test::SilentServer silent_;
    std::deque<ServerFault> waiting_;
    std::optional<ServerFault> current_;
    int roundsLeft_ = 0;
    bool killArmed_ = false;
    bool killAtStor_ = false;
    KillAtStor storKiller_;
    QString failure_;
};

// Short names for the report.
const char* outageName(ServerOutage outage);

} // namespace snapdeck::soak

#include "FtpServerSide.h"

#include <QDir>

namespace snapdeck::soak {

const char* outageName(ServerOutage outage) {
    switch (outage) {
    case ServerOutage::Stopped:
        return "stopped";
    case ServerOutage::Killed:
        return "killed";
    case ServerOutage::KilledMidUpload:
        return "killed mid-upload";
    case ServerOutage::SilentAtConnect:
        return "silent after connect";
    case ServerOutage::SilentAtStore:
        return "silent at STOR";
    }
    return "?";
}

FtpServerSide::FtpServerSide(const QString& folder, QString user, QString password)
    : root_(QDir(folder).filePath(QStringLiteral("root"))),
      server_(root_, QDir(folder).filePath(QStringLiteral("events")), std::move(user),
              std::move(password)) {
    QDir().mkpath(root_);
}

bool FtpServerSide::start() {
    if (server_.start())
        return true;
    failure_ = server_.failure();
    return false;
}

void FtpServerSide::begin(const ServerFault& fault) {
    waiting_.push_back(fault);
    if (!current_)
        strike();
}

void FtpServerSide::strike() {
    current_ = waiting_.front();
    waiting_.pop_front();
    roundsLeft_ = current_->rounds;
    ++outagesBegun[current_->outage];
    switch (current_->outage) {
    case ServerOutage::Stopped:
        server_.stop();
        break;
    case ServerOutage::Killed:
        server_.kill();
        break;
    case ServerOutage::KilledMidUpload:
        killArmed_ = true; // the rounds count from the kill
        if (killAtStor_)
            storKiller_.arm(server_.eventsFile(), server_.processId());
        break;
    case ServerOutage::SilentAtConnect:
        server_.stop();
        if (!silent_.open(port()))
            failure_ = QStringLiteral("could not listen on port %1").arg(port());
        break;
    case ServerOutage::SilentAtStore:
        if (!server_.start(port(), QStringLiteral("STOR")))
            failure_ = server_.failure();
        break;
    }
}

void FtpServerSide::pictureAboutToBeSent() {
    if (!killArmed_)
        return;
    killArmed_ = false;
    server_.kill();
}

void FtpServerSide::endOfRound() {
    if (killArmed_ && killAtStor_ && storKiller_.fired()) {
        storKiller_.disarm();
        server_.kill(); // reaps it
        killArmed_ = false;
        ++killedAtStor;
    }
    if (!current_ || killArmed_)
        return;
    if (--roundsLeft_ > 0)
        return;
    restore();
    current_.reset();
    if (!waiting_.empty())
        strike();
}

void FtpServerSide::endAllOutages() {
    storKiller_.disarm();
    killArmed_ = false;
    waiting_.clear();
    if (current_)
        restore();
    current_.reset();
}

// The real server, back on its port. A port just left may take a moment to be free.
void FtpServerSide::restore() {
    silent_.close();
    for (int attempt = 0; attempt < 3; ++attempt)
        if (server_.start(port()))
            return;
    failure_ = server_.failure();
}

} // namespace snapdeck::soak

#pragma once

namespace snapdeck::soak {

// A server that stalls: it listens on a port of 127.0.0.1, the system accepts every
// connection for it, and it never says a word.
class SilentServer {
public:
    SilentServer() = default;
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    ~SilentServer() { close(); }

    bool open(int port);
    void close();
    bool isOpen() const { return socket_ >= 0; }

private:
    int socket_ = -1;
};

} // namespace snapdeck::soak

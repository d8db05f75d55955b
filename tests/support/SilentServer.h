#pragma once

namespace snapdeck::test {

// A server that stalls: it listens on a port of 127.0.0.1, the system accepts every
// connection for it, and it never says a word.
class SilentServer {
public:
    SilentServer() = default;
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    ~SilentServer() { close(); }

    // Port 0: any free port; port() then tells which.
    bool open(int port = 0);
    void close();
    bool isOpen() const { return socket_ >= 0; }
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

} // namespace snapdeck::test

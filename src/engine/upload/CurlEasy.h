#pragma once

#include <QByteArray>
#include <chrono>
#include <curl/curl.h>
#include <functional>
#include <memory>
#include <optional>

namespace snapdeck {

// One libcurl easy handle. Connections it opens stay in its cache between transfers,
// so that the steps of one upload share one login; they close with the handle.
// Transfers run in a loop of our own that never waits longer than kLongestWaitMs for
// libcurl's next step: curl_easy_perform waits up to a second for a step that sets no
// timer, and libcurl 7.88 leaves one so after an FTP server's passive-mode reply about
// once in twenty transfers, turning a 30 ms upload into a second.
class CurlEasy {
public:
    static constexpr int kLongestWaitMs = 10;

    // Check isValid(): the library may fail to start a session.
    CurlEasy();
    ~CurlEasy();
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;

    bool isValid() const { return handle_ && multi_; }
    CURL* get() const { return handle_; }

    template <typename Value> void set(CURLoption option, Value value) {
        curl_easy_setopt(handle_, option, value);
    }
    // Sets a text option; libcurl copies it.
    void setText(CURLoption option, const QByteArray& text) {
        curl_easy_setopt(handle_, option, text.constData());
    }
    // Each transfer from now on gets the time left until "deadline" as its whole time
    // limit; one started after it fails at once with CURLE_OPERATION_TIMEDOUT.
    void setDeadline(std::chrono::steady_clock::time_point deadline) { deadline_ = deadline; }
    bool deadlinePassed() const;
    // The longest wait for one answer of an FTP server, QUIT's when the connection
    // closes included; with a deadline, no longer than the time left (to the second).
    void setResponseTimeout(std::chrono::seconds timeout) { responseTimeout_ = timeout; }

    // Asked every few milliseconds during a transfer: true ends it at once
    // (CURLE_ABORTED_BY_CALLBACK), as when the program is told to stop.
    void setCancelled(std::function<bool()> cancelled) { cancelled_ = std::move(cancelled); }

    // Runs the transfer set up in the options and returns its result.
    CURLcode perform();
    long responseCode() const;

private:
    std::chrono::milliseconds timeLeft() const;
    void limitWaits();

    CURL* handle_ = nullptr;
    CURLM* multi_ = nullptr; // runs the transfers and keeps their connections
    std::optional<std::chrono::steady_clock::time_point> deadline_;
    std::optional<std::chrono::seconds> responseTimeout_;
    std::function<bool()> cancelled_;
};

// A list of texts for libcurl (FTP commands, HTTP headers), freed with its owner.
class CurlList {
public:
    CurlList() = default;
    ~CurlList() { curl_slist_free_all(list_); }
    CurlList(const CurlList&) = delete;
    CurlList& operator=(const CurlList&) = delete;

    void append(const QByteArray& text) { list_ = curl_slist_append(list_, text.constData()); }
    curl_slist* get() const { return list_; }

private:
    curl_slist* list_ = nullptr;
};

} // namespace snapdeck

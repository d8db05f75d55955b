#include "CurlEasy.h"

#include <algorithm>
#include <cstdint>

namespace snapdeck {

namespace {

// The library's global state, set up once before the first handle.
bool libraryReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

} // namespace

CurlEasy::CurlEasy() {
    if (!libraryReady())
        return;
    handle_ = curl_easy_init();
    multi_ = curl_multi_init();
    if (!handle_)
        return;
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L); // no SIGALRM in a GUI program
    // Straight to the server, whatever proxy the environment names: through an HTTP
    // proxy, FTP loses its folders and renames.
    curl_easy_setopt(handle_, CURLOPT_PROXY, "");
}

CurlEasy::~CurlEasy() {
    // The multi handle's cleanup closes the kept connections, an FTP one after the
    // answer to QUIT, waited for as long as the handle added last allowed. Added once
    // more, this one passes on the time left now.
    if (handle_ && multi_ && deadline_ && responseTimeout_) {
        limitWaits();
        if (curl_multi_add_handle(multi_, handle_) == CURLM_OK)
            curl_multi_remove_handle(multi_, handle_);
    }
    // The handle first: the multi handle's cleanup closes the connections it kept.
    if (handle_)
        curl_easy_cleanup(handle_);
    if (multi_)
        curl_multi_cleanup(multi_);
}

// Within kLongestWaitMs counts as passed: libcurl keeps its own clock, which ends a
// transfer up to a millisecond before ours says the time is over.
bool CurlEasy::deadlinePassed() const {
    return deadline_ &&
           std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMs) >=
               *deadline_;
}

// Rounded up, never below zero; with a deadline only.
std::chrono::milliseconds CurlEasy::timeLeft() const {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*deadline_ - std::chrono::steady_clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

void CurlEasy::limitWaits() {
    // At least a millisecond: 0 would be no limit at all.
    if (deadline_)
        curl_easy_setopt(handle_, CURLOPT_TIMEOUT_MS,
                         static_cast<long>(std::max<std::int64_t>(timeLeft().count(), 1)));
    if (!responseTimeout_)
        return;
    std::chrono::seconds answer = *responseTimeout_;
    if (deadline_)
        answer = std::min(answer, std::chrono::ceil<std::chrono::seconds>(timeLeft()));
    answer = std::max(answer, std::chrono::seconds(1)); // 0: libcurl's two minutes
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(answer.count()));
}

CURLcode CurlEasy::perform() {
    if (deadlinePassed())
        return CURLE_OPERATION_TIMEDOUT;
    limitWaits();
    if (curl_multi_add_handle(multi_, handle_) != CURLM_OK)
        return CURLE_FAILED_INIT;
    CURLMcode looping = CURLM_OK;
    bool cancelled = false;
    for (int running = 1; looping == CURLM_OK;) {
        looping = curl_multi_perform(multi_, &running);
        if (looping != CURLM_OK || running == 0)
            break;
        if (cancelled_ && cancelled_()) {
            cancelled = true;
            break;
        }
        // Wakes for the sockets, libcurl's own timers, or after kLongestWaitMs at most.
        looping = curl_multi_poll(multi_, nullptr, 0, kLongestWaitMs, nullptr);
    }
    CURLcode result = looping == CURLM_OK ? CURLE_OK : CURLE_FAILED_INIT;
    if (cancelled) {
        curl_multi_remove_handle(multi_, handle_);
        return CURLE_ABORTED_BY_CALLBACK;
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == handle_)
            result = message->data.result;
    }
    curl_multi_remove_handle(multi_, handle_);
    return result;
}

long CurlEasy::responseCode() const {
    long code = 0;
    curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

} // namespace snapdeck

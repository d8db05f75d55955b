#include "CurlEasy.h"

namespace snapdeck {

namespace {

// The library's global state, set up once before the first handle.
bool libraryReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

} // namespace

CurlEasy::CurlEasy() {
    if (libraryReady())
        handle_ = curl_easy_init();
    if (handle_)
        curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L); // no SIGALRM in a GUI program
}

CurlEasy::~CurlEasy() {
    if (handle_)
        curl_easy_cleanup(handle_);
}

long CurlEasy::responseCode() const {
    long code = 0;
    curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

} // namespace snapdeck

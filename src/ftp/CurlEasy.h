#pragma once

#include <QByteArray>
#include <curl/curl.h>
#include <memory>

namespace snapdeck {

// One libcurl easy handle. Connections it opens stay in its cache between transfers,
// so that the steps of one upload share one login; they close with the handle.
class CurlEasy {
public:
    // Check isValid(): the library may fail to start a session.
    CurlEasy();
    ~CurlEasy();
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;

    bool isValid() const { return handle_ != nullptr; }
    CURL* get() const { return handle_; }

    template <typename Value> void set(CURLoption option, Value value) {
        curl_easy_setopt(handle_, option, value);
    }
    // Sets a text option; libcurl copies it.
    void setText(CURLoption option, const QByteArray& text) {
        curl_easy_setopt(handle_, option, text.constData());
    }
    CURLcode perform() { return curl_easy_perform(handle_); }
    long responseCode() const;

private:
    CURL* handle_ = nullptr;
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

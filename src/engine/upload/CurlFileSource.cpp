#include "CurlFileSource.h"

#include <QFile>
#include <cstdio>

namespace snapdeck {

namespace {

size_t readFile(char* buffer, size_t size, size_t count, void* file) {
    const qint64 read = static_cast<QFile*>(file)->read(buffer, static_cast<qint64>(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(read);
}

int seekFile(void* file, curl_off_t offset, int origin) {
    if (origin != SEEK_SET)
        return CURL_SEEKFUNC_CANTSEEK;
    return static_cast<QFile*>(file)->seek(offset) ? CURL_SEEKFUNC_OK : CURL_SEEKFUNC_FAIL;
}

} // namespace

void uploadFromFile(CurlEasy& curl, QFile& file) {
    file.seek(0);
    curl.set(CURLOPT_UPLOAD, 1L);
    curl.set(CURLOPT_READFUNCTION, &readFile);
    curl.set(CURLOPT_READDATA, static_cast<void*>(&file));
    curl.set(CURLOPT_SEEKFUNCTION, &seekFile);
    curl.set(CURLOPT_SEEKDATA, static_cast<void*>(&file));
    curl.set(CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(file.size()));
}

} // namespace snapdeck

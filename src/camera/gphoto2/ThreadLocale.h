#pragma once

#include <locale.h>

namespace snapdeck::gphoto2 {

// libgphoto2 formats and parses camera values with printf and scanf and translates its
// choice texts with gettext, so under a Russian locale "f/5.6" became "f/5,6" and the
// choices came back translated. The library thread therefore runs with the "C" locale
// for numbers and messages (and UTF-8 for characters), whatever the program's locale
// is; the window thread keeps the user's locale.
//
// The calling thread uses that locale while the object lives; afterwards it is back on
// the program's locale and the locale is freed, so that a thread per camera session
// leaves nothing behind.
class CLocaleOnThisThread {
public:
    CLocaleOnThisThread();
    ~CLocaleOnThisThread();
    CLocaleOnThisThread(const CLocaleOnThisThread&) = delete;
    CLocaleOnThisThread& operator=(const CLocaleOnThisThread&) = delete;

private:
    locale_t locale_ = locale_t(0);
};

} // namespace snapdeck::gphoto2

#include "ThreadLocale.h"

#include <clocale>

namespace snapdeck::gphoto2 {

CLocaleOnThisThread::CLocaleOnThisThread() {
    locale_t base = duplocale(LC_GLOBAL_LOCALE);
    if (base == locale_t(0))
        return;
    // On success newlocale takes "base" over; the result is ours to free.
    locale_t plain = newlocale(LC_NUMERIC_MASK | LC_MESSAGES_MASK, "C", base);
    if (plain == locale_t(0)) {
        freelocale(base);
        return;
    }
    // Camera names and texts reach us as UTF-8 whatever character set the user runs.
    if (locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", plain); utf8 != locale_t(0))
        plain = utf8;
    locale_ = plain;
    uselocale(locale_);
}

CLocaleOnThisThread::~CLocaleOnThisThread() {
    if (locale_ == locale_t(0))
        return;
    uselocale(LC_GLOBAL_LOCALE);
    freelocale(locale_);
}

} // namespace snapdeck::gphoto2

#pragma once

namespace snapdeck::gphoto2 {

// libgphoto2 formats and parses camera values with printf and scanf and translates its
// choice texts with gettext, so under a Russian locale "f/5.6" became "f/5,6" and the
// choices came back translated. The library thread therefore runs with the "C" locale
// for numbers and messages (and UTF-8 for characters), whatever the program's locale
// is; the window thread keeps the user's locale.
void useCLocaleOnThisThread();

} // namespace snapdeck::gphoto2

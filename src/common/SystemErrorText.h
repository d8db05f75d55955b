#pragma once

#include <QString>

namespace snapdeck {

// A system error (errno) in the user's words: the system's own text is English and
// says nothing a photographer can act on.
QString systemErrorText(int error);

} // namespace snapdeck

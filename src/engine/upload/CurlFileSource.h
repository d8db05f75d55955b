#pragma once

#include "CurlEasy.h"

class QFile;

namespace snapdeck {

// Makes libcurl read the body of an upload from an open file, from its start, and
// rewind it when the library asks.
void uploadFromFile(CurlEasy& curl, QFile& file);

} // namespace snapdeck

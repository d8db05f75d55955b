#pragma once

#include "FtpIniFormat.h"

namespace snapdeck {

class MessagePresenter;
class WorkFolder;

// Reads "ftp.ini" from the working folder over "settings". A missing file is a fresh
// installation: the settings keep their start values. A file that cannot be read, or
// holds a port or service out of range, shows the error message box; false then means
// the program must end before its window opens.
bool loadFtpSettings(FtpSettings& settings, const WorkFolder& folder, MessagePresenter& messages);

// Writes all seven lines of "ftp.ini" whole or not at all, readable by its owner only:
// the file holds the password. Raises AppError when it cannot be written.
void writeFtpIni(const WorkFolder& folder, const FtpIniValues& values);

} // namespace snapdeck

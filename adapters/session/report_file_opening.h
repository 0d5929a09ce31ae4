#pragma once

// Opens the report files whose names the user types in the dialogue. Only a
// regular file is written: a FIFO would hang the dialogue until some other
// program read it, and a device (a terminal, a disk, /dev/watchdog) must not
// be written or even opened by a report. The open never blocks and never
// makes a terminal the program's own.

#include <cstdio>
#include <string>

namespace flyback {

// The file `name` created or emptied, open for writing; null when it cannot
// be, with the reason in `reason` (the C library's text, or that it is not a
// regular file).
std::FILE* OpenReportFile(const std::string& name, std::string& reason);

}  // namespace flyback

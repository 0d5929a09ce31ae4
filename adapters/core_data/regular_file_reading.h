#pragma once

// Reads a small file of the user's without letting the name turn the read
// against the program: a FIFO, a device (/dev/zero, /dev/full, a terminal)
// or a folder is refused before a byte is read, so nothing waits for a writer
// or reads for ever, and no more than the given size is ever held.

#include <cstddef>
#include <string>

namespace flyback {

struct RegularFileText {
  std::string text;     // the whole file, when problem is empty
  std::string problem;  // why it was not read, in words for one line
};

// The content of `path` if it names a regular file (after links) of at most
// `max_bytes` bytes.
RegularFileText ReadRegularFile(const std::string& path, std::size_t max_bytes);

}  // namespace flyback

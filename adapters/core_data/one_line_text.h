#pragma once

// Text from a file, made fit to stand in a message of one line: whatever the
// file holds (control characters, bytes that are no UTF-8, megabytes of
// digits) comes out as valid UTF-8 without control characters and no longer
// than asked.

#include <cstddef>
#include <string>
#include <string_view>

namespace flyback {

// `text` with each control character (below U+0020, U+007F) and each byte
// that does not belong to a valid UTF-8 sequence replaced by "?"; longer than
// `max_chars` characters (code points) it is cut to max_chars - 1 of them and
// "…".
std::string OneLineText(std::string_view text, std::size_t max_chars);

}  // namespace flyback

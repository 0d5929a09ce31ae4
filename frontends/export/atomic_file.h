#pragma once

// Replaces a file in one step: the new contents are written to a temporary
// file beside it and renamed over it, so that a reader never sees half a file.

#include <string>
#include <string_view>

namespace flyback {

// Writes `contents` to `path`. Throws SessionFailure (an output failure,
// naming `what`, e.g. "the design file") when it cannot; the old file then
// stays as it was.
void ReplaceFile(const std::string& path, std::string_view contents, const std::string& what);

}  // namespace flyback

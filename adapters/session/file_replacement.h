#pragma once

// Replaces a file in one step, safely also in a folder that others may write
// to. The new contents go to an unnamed file in the target's folder
// (O_TMPFILE), which is linked in under a short new name and renamed over the
// target: a reader sees the old file or the new one, never half of one, and
// no name can be planted in its way. Where the file system has no unnamed
// files, the temporary file is created under a short new name with
// O_CREAT | O_EXCL | O_NOFOLLOW, which no planted link or file can stand in
// for. While a temporary name exists, SIGINT, SIGTERM and SIGHUP remove it
// (temporary_name_guard.h), and the steps run in a child process that a
// SIGKILL of the program does not stop, so that it finishes the rename.
// Short names keep a target name of the longest length the file system takes
// (255 bytes) writable.
//
// A symbolic link to a file is followed: that file is replaced, in its own
// folder, and the link stays. A target that exists and is not a regular file
// (a device, a FIFO, a folder, a socket) is refused, never opened.

#include <optional>
#include <string>
#include <string_view>

namespace flyback {

// The reason a file that is not a regular file is refused with.
inline constexpr const char* kNotRegularFile = "it is not a regular file";

// Why no file may be written under `name`, if so: it leads (through every
// link) to something that is not a regular file (kNotRegularFile). A name of
// nothing yet is fine.
std::optional<std::string> NotRegularFile(const std::string& name);

// How the temporary file starts out.
enum class TemporaryFile {
  kUnnamed,  // O_TMPFILE, with the named one where the file system lacks it
  kNamed,    // the named one only
};

// Writes `contents` to `path`. Returns the reason when it cannot (the C
// library's text, or that of NotRegularFile); the old file then stays as it
// was and no temporary file is left.
std::optional<std::string> ReplaceFileContents(const std::string& path, std::string_view contents,
                                               TemporaryFile start = TemporaryFile::kUnnamed);

// The same for an output of the session: throws SessionFailure (an output
// failure, naming `what`, e.g. "the design file") when it cannot.
void ReplaceFile(const std::string& path, std::string_view contents, const std::string& what);

}  // namespace flyback

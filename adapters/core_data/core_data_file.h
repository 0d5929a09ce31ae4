#pragma once

// Reads the file of --core-data: the geometry and the ferrite of the user's
// own core (format and ranges in docs/losses.md). The file is the user's,
// but its name may point anywhere and its content may be anything: the
// reader holds at most kCoreDataMaxBytes, reads only regular files, and
// refuses what lies outside its ranges with one short line.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/losses/user_core_data.h"

namespace flyback {

// A real core data file holds some hundred bytes.
inline constexpr std::size_t kCoreDataMaxBytes = 1'000'000;
// Levels of objects and lists, the file's own object the first.
inline constexpr int kCoreDataMaxNesting = 64;
// Characters (code points) of a CoreDataFileError's message.
inline constexpr std::size_t kCoreDataMessageMaxChars = 200;

// Why a core data file cannot be used: one line of at most
// kCoreDataMessageMaxChars characters, without control characters.
class CoreDataFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and checks `path`; throws CoreDataFileError naming the first problem
// (not a regular file, too large, a read error, not JSON, nested too deep, a
// missing field, text where a number belongs, a figure outside its range,
// ranges that do not ascend and meet, an unknown grade).
UserCoreData ReadCoreDataFile(const std::string& path);

// The same for the content of such a file; `file` names where it came from.
UserCoreData ReadCoreData(std::string_view text, const std::string& file);

}  // namespace flyback

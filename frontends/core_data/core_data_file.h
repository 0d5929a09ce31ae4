#pragma once

// Reads the file of --core-data: the geometry and the ferrite of a core the
// catalogue does not describe (format in docs/losses.md).

#include <stdexcept>
#include <string>

#include "engine/losses/user_core_data.h"

namespace flyback {

// Why a core data file cannot be used, in words for one line.
class CoreDataFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads and checks `path`; throws CoreDataFileError naming the first problem
// (unreadable, not JSON, a missing field, text where a number belongs, a
// figure of 0 or below, ranges that do not ascend and meet, an unknown grade).
UserCoreData ReadCoreDataFile(const std::string& path);

}  // namespace flyback

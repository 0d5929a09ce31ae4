#pragma once

// Whether two file names lead to one file: the same file by device and inode,
// whatever path or link leads there, or, for a file that does not exist yet,
// the same place. An empty name is no file at all.

#include <string>

namespace flyback {

bool SameFile(const std::string& a, const std::string& b);

}  // namespace flyback

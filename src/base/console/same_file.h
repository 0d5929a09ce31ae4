#pragma once

// Whether two file names lead to one file: the same file by device and inode,
// whatever path or link leads there. A name that does not exist (or is empty)
// is no file at all.

#include <string>

namespace flyback {

bool SameFile(const std::string& a, const std::string& b);

}  // namespace flyback

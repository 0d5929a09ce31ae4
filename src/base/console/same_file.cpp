#include "console/same_file.h"

#include <filesystem>
#include <system_error>

namespace flyback {

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;  // a name that cannot be looked up names no existing file
  return std::filesystem::equivalent(a, b, error);
}

}  // namespace flyback

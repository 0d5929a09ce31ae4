#include "base/console/same_file.h"

#include <filesystem>
#include <system_error>

namespace flyback {

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;  // a name that cannot be looked up names no existing file
  if (std::filesystem::equivalent(a, b, error)) return true;
  std::error_code error_a;
  std::error_code error_b;
  const std::filesystem::path place_a = std::filesystem::weakly_canonical(a, error_a);
  const std::filesystem::path place_b = std::filesystem::weakly_canonical(b, error_b);
  return !error_a && !error_b && place_a == place_b;
}

}  // namespace flyback

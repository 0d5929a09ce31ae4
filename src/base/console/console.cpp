#include "console/console.h"

#include <algorithm>

#include "console/same_file.h"

namespace flyback {

std::optional<std::string> Console::RefusedReportName(const std::string& name) const {
  // A NUL would silently cut the name short; the others make names that
  // no file manager shows properly.
  if (std::any_of(name.begin(), name.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20U; })) {
    return "the name holds a control character";
  }
  for (const std::string& path : protected_files_) {
    if (SameFile(name, path)) return "it holds the answers of this session";
  }
  return std::nullopt;
}

}  // namespace flyback

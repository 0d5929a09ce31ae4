#include "base/console/console.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace flyback {

std::optional<std::string> Console::RefusedReportName(const std::string& name) const {
  // A NUL would silently cut the name short; the others make names that
  // no file manager shows properly.
  if (std::any_of(name.begin(), name.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20U; })) {
    return "the name holds a control character";
  }
  for (const FileTest& leads_to_protected_file : protected_files_) {
    if (leads_to_protected_file(name)) return "it holds the answers of this session";
  }
  return std::nullopt;
}

bool ReplacesExistingFile(const std::string& name) {
  std::error_code error;  // a name that cannot be looked up names no file to replace
  const std::filesystem::file_status status = std::filesystem::status(name, error);
  return std::filesystem::is_regular_file(status);
}

}  // namespace flyback

#include "file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace flyback {

namespace {

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uintmax_t>(status.st_dev), static_cast<std::uintmax_t>(status.st_ino)};
}

// Whether two names of files not there yet lead to one place: the folders
// that exist resolved through their links, the rest compared as written.
bool SamePlace(const std::string& a, const std::string& b) {
  std::error_code error_a;
  std::error_code error_b;
  const std::filesystem::path place_a = std::filesystem::weakly_canonical(a, error_a);
  const std::filesystem::path place_b = std::filesystem::weakly_canonical(b, error_b);
  return !error_a && !error_b && place_a == place_b;
}

}  // namespace

std::optional<FileIdentity> IdentityOfName(const std::string& name) {
  struct stat status {};
  if (name.empty() || ::stat(name.c_str(), &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

std::optional<FileIdentity> IdentityOfDescriptor(int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return std::nullopt;
  return IdentityOf(status);
}

KeptFile StandardInput() {
  return {"", IdentityOfDescriptor(STDIN_FILENO)};
}

bool LeadsTo(const std::string& name, const KeptFile& file) {
  if (name.empty()) return false;
  const std::optional<FileIdentity> named = IdentityOfName(name);
  const std::optional<FileIdentity> kept = file.opened ? file.opened : IdentityOfName(file.name);
  if (named || kept) return named == kept;
  return !file.name.empty() && SamePlace(name, file.name);
}

}  // namespace flyback

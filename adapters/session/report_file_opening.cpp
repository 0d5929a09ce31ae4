#include "report_file_opening.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "file_replacement.h"

namespace flyback {

std::FILE* OpenReportFile(const std::string& name, std::string& reason) {
  // Looked at first, so that a device is not even opened.
  if (const std::optional<std::string> refused = NotRegularFile(name)) {
    reason = *refused;
    return nullptr;
  }
  // O_NONBLOCK: a FIFO put in its place since then fails (ENXIO) or opens
  // at once, rather than waiting for a reader. It changes nothing for the
  // regular file written then. No O_TRUNC before the file is known.
  const int descriptor =
      ::open(name.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    reason = kNotRegularFile;  // also when its kind cannot be told
    return nullptr;
  }
  std::FILE* file = ::ftruncate(descriptor, 0) == 0 ? ::fdopen(descriptor, "wb") : nullptr;
  if (file == nullptr) {
    reason = std::strerror(errno);
    ::close(descriptor);
  }
  return file;
}

}  // namespace flyback

#include "atomic_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "exit_status.h"
#include "session_failure.h"

namespace flyback {

void ReplaceFile(const std::string& path, std::string_view contents, const std::string& what) {
  // Beside the file, so that the rename stays on one file system.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  const auto fail = [&](int error) {
    std::remove(temporary.c_str());
    throw SessionFailure(FailureLine("write " + what + " \"" + path + "\"", error),
                         kInputOutputFailure);
  };
  errno = 0;
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) fail(errno);
  const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  const int write_error = errno;
  if (std::fclose(file) != 0 || !written) fail(written ? errno : write_error);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) fail(errno);
}

}  // namespace flyback

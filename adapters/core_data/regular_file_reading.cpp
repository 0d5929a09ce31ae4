#include "regular_file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "unique_descriptor.h"

namespace flyback {

namespace {

// What a file that is not a regular one is, for the message.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

RegularFileText ReadError() {
  return {"", std::string("read error: ") + std::strerror(errno)};
}

}  // namespace

RegularFileText ReadRegularFile(const std::string& path, std::size_t max_bytes) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer (nor a device for
  // its carrier); a regular file reads the same with it.
  const UniqueDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return {"", std::strerror(errno)};
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return ReadError();
  if (!S_ISREG(status.st_mode)) {
    return {"", std::string("it is ") + KindOf(status.st_mode) + ", not a regular file"};
  }
  const std::string too_large = "it holds more than " + std::to_string(max_bytes) + " bytes";
  if (static_cast<unsigned long long>(status.st_size) > max_bytes) return {"", too_large};

  // The size may change while the file is read, and files such as those of
  // /proc say 0: read until the end, but never beyond one byte too many.
  std::string text(max_bytes + 1, '\0');
  std::size_t length = 0;
  while (length < text.size()) {
    const ssize_t got = ::read(file.get(), text.data() + length, text.size() - length);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return ReadError();
    }
    length += static_cast<std::size_t>(got);
  }
  if (length > max_bytes) return {"", too_large};
  text.resize(length);
  return {std::move(text), ""};
}

}  // namespace flyback

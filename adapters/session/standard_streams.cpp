#include "standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace flyback {

namespace {

// True when `descriptor` was closed and is now /dev/null.
bool PlugIfClosed(int descriptor) {
  if (::fcntl(descriptor, F_GETFD) != -1) return false;
  const int plug = ::open("/dev/null", O_RDWR);
  if (plug >= 0 && plug != descriptor) {
    ::dup2(plug, descriptor);
    ::close(plug);
  }
  return true;
}

}  // namespace

ClosedStandardStreams PlugClosedStandardStreams() {
  ClosedStandardStreams closed;
  closed.input = PlugIfClosed(STDIN_FILENO);
  closed.output = PlugIfClosed(STDOUT_FILENO);
  PlugIfClosed(STDERR_FILENO);
  return closed;
}

}  // namespace flyback

#pragma once

// A temporary file that has a name of its own is left behind when a signal
// ends the program before the name is renamed or removed. While a guard
// lives, SIGINT, SIGTERM and SIGHUP first remove that name, then take their
// usual course (the action they had before: the default ends the program, the
// terminal's own handler restores the screen first). A signal that was
// ignored stays ignored. SIGKILL cannot be caught: file_replacement.h
// leaves the named steps to a child process that goes on without the program.
//
// One guard at a time: files are replaced one after the other.

#include <string>

namespace flyback {

class TemporaryNameGuard {
 public:
  // Guards the name `name` (short: a temporary name of file_replacement)
  // in the open folder `folder`, from now on.
  TemporaryNameGuard(int folder, const std::string& name);
  TemporaryNameGuard(const TemporaryNameGuard&) = delete;
  TemporaryNameGuard& operator=(const TemporaryNameGuard&) = delete;
  // The signals get their former actions back.
  ~TemporaryNameGuard();

  // The name is gone (renamed over the target): nothing is left to remove.
  void Release();
};

}  // namespace flyback

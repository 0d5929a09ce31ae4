#pragma once

// A program started as a process of its own (fork and exec through
// posix_spawn, safe beside the window's threads): its standard input is fed
// from here, its standard output read here, its standard error discarded.
// The process is killed and reaped when the object goes.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace flyback {

class WorkerProcess {
 public:
  WorkerProcess() = default;
  ~WorkerProcess();
  WorkerProcess(const WorkerProcess&) = delete;
  WorkerProcess& operator=(const WorkerProcess&) = delete;

  // Starts `program` with `arguments`; false, with the reason in `why`,
  // where it cannot be started.
  bool Start(const std::string& program, const std::vector<std::string>& arguments,
             std::string& why);

  // Writes `input` to the program's standard input and closes it; false
  // where the program no longer reads (it has ended).
  bool Feed(std::string_view input);

  // Appends to `output` what the program has written, waiting at most
  // `wait` for it; false once the program has closed its output.
  bool Read(std::string& output, std::chrono::milliseconds wait);

  // Ends the program at once.
  void Kill();

  // Waits for the end of the program: how it ended, "" where it exited with
  // status 0, "status N" or "signal N".
  std::string Wait();

 private:
  pid_t pid_ = -1;
  int input_ = -1;   // a socket, so that writing to an ended program is no SIGPIPE
  int output_ = -1;  // the reading end of a pipe
};

}  // namespace flyback

#include "worker_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace flyback {

namespace {

void Close(int& descriptor) {
  if (descriptor >= 0) close(descriptor);
  descriptor = -1;
}

// posix_spawn's file actions, freed at the end of the scope.
class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
};

}  // namespace

WorkerProcess::~WorkerProcess() {
  if (pid_ > 0) {
    Kill();
    Wait();
  }
  Close(input_);
  Close(output_);
}

bool WorkerProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                          std::string& why) {
  // Both pairs close on exec, so that no other program started by this
  // process (another run from another thread) holds them open; the spawn
  // gives the child its ends as its standard streams.
  std::array<int, 2> input{-1, -1};
  std::array<int, 2> output{-1, -1};
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input.data()) != 0 ||
      pipe2(output.data(), O_CLOEXEC) != 0) {
    why = std::string("cannot start ") + program + ": " + std::strerror(errno);
    for (int& d : input) Close(d);
    for (int& d : output) Close(d);
    return false;
  }
  FileActions actions;
  posix_spawn_file_actions_adddup2(actions.get(), input[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(actions.get(), output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  std::string name = program;
  std::vector<std::string> texts = arguments;
  argv.push_back(name.data());
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const int error =
      posix_spawn(&pid_, program.c_str(), actions.get(), nullptr, argv.data(), environ);
  Close(input[1]);
  Close(output[1]);
  input_ = input[0];
  output_ = output[0];
  if (error != 0) {
    pid_ = -1;
    why = std::string("cannot start ") + program + ": " + std::strerror(error);
    return false;
  }
  return true;
}

bool WorkerProcess::Feed(std::string_view input) {
  while (!input.empty()) {
    const ssize_t sent = send(input_, input.data(), input.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      Close(input_);
      return false;
    }
    input.remove_prefix(static_cast<std::size_t>(sent));
  }
  Close(input_);
  return true;
}

bool WorkerProcess::Read(std::string& output, std::chrono::milliseconds wait) {
  if (output_ < 0) return false;
  pollfd ready{output_, POLLIN, 0};
  if (poll(&ready, 1, static_cast<int>(wait.count())) <= 0) return true;
  std::array<char, 65536> buffer{};
  const ssize_t got = read(output_, buffer.data(), buffer.size());
  if (got < 0) return errno == EINTR || errno == EAGAIN;
  if (got == 0) {
    Close(output_);
    return false;
  }
  output.append(buffer.data(), static_cast<std::size_t>(got));
  return true;
}

void WorkerProcess::Kill() {
  if (pid_ > 0) kill(pid_, SIGKILL);
}

std::string WorkerProcess::Wait() {
  if (pid_ <= 0) return "";
  int status = 0;
  pid_t ended = 0;
  do {
    ended = waitpid(pid_, &status, 0);
  } while (ended < 0 && errno == EINTR);
  pid_ = -1;
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
    return "status " + std::to_string(WEXITSTATUS(status));
  }
  return "";
}

}  // namespace flyback

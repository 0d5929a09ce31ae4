#include "window_launch.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "window_system.h"

namespace flyback {

namespace {

// Waits for the child as a shell does: Ctrl-C in the terminal reaches the
// child, which decides what it means; the launcher only waits for it.
int WaitForChild(pid_t child) {
  struct sigaction ignore = {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction old_interrupt = {};
  struct sigaction old_quit = {};
  sigaction(SIGINT, &ignore, &old_interrupt);
  sigaction(SIGQUIT, &ignore, &old_quit);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  sigaction(SIGINT, &old_interrupt, nullptr);
  sigaction(SIGQUIT, &old_quit, nullptr);
  if (WIFSIGNALED(status)) {
    const int signal_number = WTERMSIG(status);
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    return 128 + signal_number;  // a signal that does not end a process
  }
  return WEXITSTATUS(status);
}

}  // namespace

std::string WindowProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  for (const std::filesystem::path& candidate :
       {self.parent_path() / "flyback-gui",
        self.parent_path().parent_path() / "qt" / "flyback-gui"}) {
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

WindowRun RunWindowProgram(const std::string& program, const std::vector<std::string>& arguments,
                           bool fallback) {
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // Only a launcher that falls back sets it (not one the user's environment left).
  if (fallback) {
    setenv(kTerminalFallbackVariable, "1", 1);
  } else {
    unsetenv(kTerminalFallbackVariable);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGQUIT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t child = 0;
  const int failure =
      posix_spawn(&child, program.c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  unsetenv(kTerminalFallbackVariable);
  if (failure != 0) return {failure, 0};
  return {std::nullopt, WaitForChild(child)};
}

}  // namespace flyback

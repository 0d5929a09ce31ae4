// flyback: the terminal and script front-ends, and the launcher of the window.

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/driver.h"
#include "flyback_version.h"
#include "script_console.h"
#include "stream_answer_log.h"
#include "terminal_check.h"
#include "terminal_console.h"

namespace {

constexpr const char* kUsage =
    "Usage: flyback [--script | --tty | --gui] [--record FILE]\n"
    "Design calculator for flyback switched-mode power supplies.\n"
    "\n"
    "  --script       answers from standard input, one line per question; the\n"
    "                 transcript goes to standard output (an empty line takes\n"
    "                 the default, the end of input ends the program)\n"
    "  --tty          the dialogue in this terminal\n"
    "  --gui          the desktop window (flyback-gui)\n"
    "  --record FILE  write every answer taken to FILE, one per line, so that\n"
    "                 'flyback --script < FILE' replays the session\n"
    "  --help         show this help\n"
    "  --version      show the version\n"
    "\n"
    "Without an option the window opens when a display is available, and the\n"
    "dialogue runs in the terminal otherwise. Report files are written under the\n"
    "names typed, relative to the working directory.\n";

enum class Mode { kAutomatic, kScript, kTerminal, kWindow };

struct Options {
  Mode mode = Mode::kAutomatic;
  std::string record_file;
};

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// flyback-gui beside this program (build tree, installed bin folder), if any.
std::string WindowProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path beside = self.parent_path() / "flyback-gui";
  if (access(beside.c_str(), X_OK) == 0) return beside.string();
  const std::filesystem::path in_build_tree =
      self.parent_path().parent_path() / "qt" / "flyback-gui";
  if (access(in_build_tree.c_str(), X_OK) == 0) return in_build_tree.string();
  return {};
}

// Replaces this process by the window program. Returns only when that fails.
void StartWindow(const Options& options) {
  const std::string program = WindowProgram();
  if (program.empty()) return;
  std::vector<std::string> arguments = {program};
  if (!options.record_file.empty()) {
    arguments.emplace_back("--record");
    arguments.push_back(options.record_file);
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
}

int RunText(const Options& options) {
  std::unique_ptr<std::ofstream> record;
  if (!options.record_file.empty()) {
    record = std::make_unique<std::ofstream>(options.record_file, std::ios::binary);
    if (!*record) {
      std::cerr << "flyback: cannot create the record file \"" << options.record_file
                << "\": " << std::strerror(errno) << '\n';
      return 2;
    }
  }
  std::unique_ptr<flyback::StreamAnswerLog> log;
  if (record) log = std::make_unique<flyback::StreamAnswerLog>(*record);
  flyback::DesignState state;
  if (options.mode == Mode::kScript) {
    // The transcript shows each question with its answer after the answer is
    // read: nothing needs to reach the screen before a read.
    std::cin.tie(nullptr);
    flyback::ScriptConsole console(std::cin, std::cout);
    flyback::RunDialogue(console, state, log.get());
  } else {
    flyback::TerminalConsole console;
    flyback::RunDialogue(console, state, log.get());
    if (const std::optional<std::string>& failure = console.failure()) {
      std::cerr << "flyback: " << *failure << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Options options;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << "flyback " << flyback::kVersion << '\n';
      return 0;
    }
    if (argument == "--script") {
      options.mode = Mode::kScript;
    } else if (argument == "--tty") {
      options.mode = Mode::kTerminal;
    } else if (argument == "--gui") {
      options.mode = Mode::kWindow;
    } else if (argument == "--record" && i + 1 < arguments.size()) {
      options.record_file = arguments[++i];
    } else {
      std::cerr << "flyback: unknown option '" << argument << "'\n\n" << kUsage;
      return 2;
    }
  }
  if (options.mode == Mode::kWindow || (options.mode == Mode::kAutomatic && HasDisplay())) {
    StartWindow(options);
    if (options.mode == Mode::kWindow) {
      std::cerr << "flyback: the window program flyback-gui cannot be started\n";
      return 1;
    }
  }
  // The terminal front-end draws a full-screen page: it needs a terminal.
  if (options.mode != Mode::kScript) {
    if (const std::optional<std::string> problem = flyback::TerminalProblem()) {
      std::cerr << "flyback: " << *problem << '\n';
      return 2;
    }
  }
  return RunText(options);
}

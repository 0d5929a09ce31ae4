#pragma once

// Starting the window program flyback-gui from the launcher flyback.

#include <optional>
#include <string>
#include <vector>

namespace flyback {

// flyback-gui beside this program (installed bin folder) or in its build
// tree; empty when there is none.
std::string WindowProgram();

struct WindowRun {
  std::optional<int> start_failure;  // error number when it could not be started
  int exit_status = 0;               // its exit status otherwise
};

// Runs `program` with `arguments` as a child and waits for it. With
// `fallback` it is told that the launcher falls back to the terminal when no
// window can be opened (see window_system.h). A child ended by a signal ends
// this process by the same signal.
WindowRun RunWindowProgram(const std::string& program, const std::vector<std::string>& arguments,
                           bool fallback);

}  // namespace flyback

#pragma once

// What the terminal can do, from its terminfo description.

#include <optional>
#include <string>

namespace flyback {

// Why the dialogue cannot run as a full-screen page in this terminal, if so:
// standard input or output is no terminal, or the terminal type (TERM) is
// unknown or cannot place the cursor.
std::optional<std::string> TerminalProblem();

// A string capability (by its terminfo name) of the terminal that is set up,
// or nullptr when it has none.
const char* TerminalString(const char* name);

}  // namespace flyback

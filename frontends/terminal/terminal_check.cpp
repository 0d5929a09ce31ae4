#include "terminal_check.h"

#include <curses.h>
#include <term.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace flyback {

std::optional<std::string> TerminalProblem() {
  if (isatty(STDIN_FILENO) == 0) {
    return "standard input is not a terminal ('flyback --script' reads answers from it)";
  }
  if (isatty(STDOUT_FILENO) == 0) {
    return "standard output is not a terminal ('flyback --script' writes a transcript to it)";
  }
  const char* type = std::getenv("TERM");
  if (type == nullptr || *type == '\0') return "the terminal type is not set (TERM)";
  const std::string quoted = std::string("\"") + type + "\"";
  int error = 0;
  if (setupterm(type, STDOUT_FILENO, &error) != OK) {
    return "the terminal type " + quoted + " is not known";
  }
  const bool can_place_cursor = TerminalString("cup") != nullptr;  // cursor addressing
  del_curterm(cur_term);
  if (!can_place_cursor) return "the terminal type " + quoted + " cannot show a full-screen page";
  return std::nullopt;
}

const char* TerminalString(const char* name) {
  const char* value = tigetstr(name);
  // (char*)-1 stands for a name that is no string capability.
  if (value == nullptr || reinterpret_cast<std::intptr_t>(value) == -1) return nullptr;
  return value;
}

}  // namespace flyback

#pragma once

// Terminal mode: the page is drawn on a cleared screen and every question is
// asked below it. Return accepts the default, typed text replaces it, and the
// end of input (Ctrl-D) cancels.

#include <istream>
#include <ostream>

#include "console/console.h"

namespace flyback {

class TerminalConsole : public Console {
 public:
  TerminalConsole(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  void ClearWindow() override;
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

 protected:
  void CloseWindow() override;

 private:
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace flyback

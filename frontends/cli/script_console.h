#pragma once

// Script mode: answers come from an input stream, one line per question; the
// transcript goes to an output stream, one column per character.
//   ClearWindow  -> a line holding only a form feed
//   WriteLine    -> the line laid out in fixed pitch
//   Ask          -> "?> title [default] {prompt} => answer" (or "=> <cancel>")
// An empty input line takes the default; the end of input is cancel.

#include <istream>
#include <ostream>

#include "console/console.h"

namespace flyback {

class ScriptConsole : public Console {
 public:
  ScriptConsole(std::istream& answers, std::ostream& transcript)
      : answers_(answers), transcript_(transcript) {}

  void ClearWindow() override;
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

 protected:
  void CloseWindow() override;

 private:
  std::istream& answers_;
  std::ostream& transcript_;
};

}  // namespace flyback

#pragma once

// Script mode: answers come from an input stream, one line per question; the
// transcript goes to an output stream, one column per character.
//   ClearWindow  -> a line holding only a form feed
//   WriteLine    -> the line laid out in fixed pitch
//   Ask          -> "?> title [default] {prompt} => answer" (or "=> <cancel>")
// An empty input line takes the default; the end of input is cancel. The
// streams are standard input and output: an input that cannot be read and a
// transcript that cannot be written end the session (SessionFailure).

#include <istream>
#include <ostream>

#include "base/console/console.h"

namespace flyback {

class ScriptConsole : public Console {
 public:
  ScriptConsole(std::istream& answers, std::ostream& transcript)
      : answers_(answers), transcript_(transcript) {}

  void ClearWindow() override;
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

  // Writes the question with its answer into the transcript, as Ask does.
  void ShowAnswered(const Question& question, const std::string& answer);

 protected:
  void CloseWindow() override;

 private:
  // Ends the session at the first write that failed (the session says it
  // once, whatever the end of the program writes after it).
  void CheckTranscript();

  std::istream& answers_;
  std::ostream& transcript_;
};

}  // namespace flyback

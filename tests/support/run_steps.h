#pragma once

// Runs a piece of the dialogue on scripted answers and gives the transcript
// (see frontends/cli/script_console.h for its format).

#include <sstream>
#include <string>

#include "pages/dialogue/dialogue.h"
#include "script_console.h"

namespace flyback {

template <class Steps>
std::string RunSteps(const std::string& answers, DesignState& state, Steps steps) {
  std::istringstream in(answers);
  std::ostringstream out;
  ScriptConsole console(in, out);
  Dialogue d(console, state);
  try {
    steps(d);
  } catch (const ProgramEnded&) {
    console.EndProgram();
    out << "<ended>\n";
  } catch (const ReportAborted&) {
    out << "<aborted>\n";
  }
  return out.str();
}

}  // namespace flyback

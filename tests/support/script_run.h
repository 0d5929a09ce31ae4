#pragma once

// Runs the dialogue in process on a text of answers (one per line, an empty
// line takes the default, the end of the text cancels) and keeps the
// transcript and the design state.

#include <sstream>
#include <string>
#include <vector>

#include "pages/dialogue/driver.h"
#include "script_console.h"
#include "stream_answer_log.h"

namespace flyback {

struct ScriptRun {
  std::string transcript;
  std::vector<std::string> lines;
  DesignState state;
  std::string recorded;  // the answers as recorded

  // Index of the first transcript line from `from` on that starts with `prefix`, or -1.
  int Find(const std::string& prefix, int from = 0) const {
    for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i) {
      if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }
  bool Has(const std::string& line) const {
    for (const std::string& l : lines) {
      if (l == line) return true;
    }
    return false;
  }
};

// Return at every question of the three-output demonstration design until
// the result screen's question, which "1" answers: the main menu follows.
inline const std::string kDemonstrationToMainMenu = std::string(23, '\n') + "1\n";

inline ScriptRun RunScript(const std::string& answers, Page first = Page::kIntroduction,
                           DesignState state = {}) {
  std::istringstream in(answers);
  std::ostringstream out;
  std::ostringstream record;
  ScriptConsole console(in, out);
  StreamAnswerLog log(record);
  RunPages(console, state, first, &log);
  ScriptRun run{out.str(), {}, state, record.str()};
  std::istringstream split(run.transcript);
  for (std::string line; std::getline(split, line);) run.lines.push_back(line);
  return run;
}

}  // namespace flyback

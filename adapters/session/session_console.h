#pragma once

// The console the dialogue of a session talks to, around the console of a
// front-end (window, terminal, script):
// - a resumed session first takes its answers from the kept list, as script
//   mode reads them (an empty one takes the default), without asking; the
//   pages are drawn as usual, so the user arrives at the question where the
//   list ends with the page of that question on the screen;
// - a report name the user declines to replace a file with is taken back
//   from the session's answer files, so that they replay the same way;
//   while answers are replayed, a file is replaced without asking, as in
//   script mode.

#include <functional>
#include <string>
#include <vector>

#include "base/console/console.h"
#include "session_log.h"

namespace flyback {

class SessionConsole : public Console {
 public:
  // Shows a question answered from the kept list, where the front-end's
  // console shows what it asked (the transcript of script mode).
  using ReplayView = std::function<void(const Question& question, const std::string& answer)>;

  // `log` may be null (nothing is kept).
  SessionConsole(Console& front_end, std::vector<std::string> resumed_answers, SessionLog* log,
                 ReplayView replay_view);

  void ClearWindow() override { front_end_.ClearWindow(); }
  void WriteLine(const Line& line) override { front_end_.WriteLine(line); }
  std::string Ask(const Question& question) override;
  bool ConfirmReplace(const std::string& name) override;

  // Opens a report only where it can neither block nor write into a device
  // (report_file_opening.h); the front-end writes it.
  std::optional<std::string> OpenReport(const std::string& name) override;
  std::optional<std::string> WriteReportLine(const Line& line) override {
    return front_end_.WriteReportLine(line);
  }
  std::optional<std::string> FlushReports() override { return front_end_.FlushReports(); }
  std::optional<std::string> CloseReports() override { return front_end_.CloseReports(); }

 protected:
  void CloseWindow() override { front_end_.EndProgram(); }

 private:
  Console& front_end_;
  std::vector<std::string> resumed_answers_;
  std::size_t next_resumed_ = 0;
  bool last_answer_resumed_ = false;
  SessionLog* log_;
  ReplayView replay_view_;
};

}  // namespace flyback

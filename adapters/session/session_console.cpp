#include "session_console.h"

#include <utility>

#include "report_file_opening.h"

namespace flyback {

SessionConsole::SessionConsole(Console& front_end, std::vector<std::string> resumed_answers,
                               SessionLog* log, ReplayView replay_view)
    : front_end_(front_end),
      resumed_answers_(std::move(resumed_answers)),
      log_(log),
      replay_view_(std::move(replay_view)) {}

std::string SessionConsole::Ask(const Question& question) {
  last_answer_resumed_ = next_resumed_ < resumed_answers_.size();
  if (!last_answer_resumed_) return front_end_.Ask(question);
  std::string answer = resumed_answers_[next_resumed_++];
  if (answer.empty()) answer = question.default_answer;
  if (replay_view_) replay_view_(question, answer);
  return answer;
}

bool SessionConsole::ConfirmReplace(const std::string& name) {
  if (last_answer_resumed_) return true;
  const bool replace = front_end_.ConfirmReplace(name);
  if (!replace && log_ != nullptr) log_->TakeBackLast();
  return replace;
}

std::optional<std::string> SessionConsole::OpenReport(const std::string& name) {
  std::string reason;
  std::FILE* file = OpenReportFile(name, reason);
  if (file == nullptr) return reason;
  front_end_.OpenReportOn(file);
  return std::nullopt;
}

}  // namespace flyback

#include "script_console.h"

#include <cerrno>
#include <string>

#include "answer_file_reading.h"
#include "session_failure.h"

namespace flyback {

void ScriptConsole::ClearWindow() {
  transcript_ << "\f\n";
  CheckTranscript();
}

void ScriptConsole::WriteLine(const Line& line) {
  transcript_ << LayoutFixedPitch(line) << '\n';
  CheckTranscript();
}

std::string ScriptConsole::Ask(const Question& question) {
  std::string answer;
  if (ReadAnswerLine(answers_, answer)) {
    if (answer.empty()) answer = question.default_answer;
  } else if (answers_.bad()) {
    // A read that failed is no end of input: the user did not cancel.
    throw SessionFailure(FailureLine("read the answers from standard input", errno),
                         kInputOutputFailure);
  } else {
    answer.clear();
  }
  ShowAnswered(question, answer);
  return answer;
}

void ScriptConsole::ShowAnswered(const Question& question, const std::string& answer) {
  transcript_ << "?> " << question.title;
  if (!question.default_answer.empty()) transcript_ << " [" << question.default_answer << ']';
  if (!question.prompt.empty()) transcript_ << " {" << question.prompt << '}';
  transcript_ << " => " << (answer.empty() ? "<cancel>" : answer) << '\n';
  CheckTranscript();
}

void ScriptConsole::CloseWindow() {
  transcript_.flush();
  CheckTranscript();
}

void ScriptConsole::CheckTranscript() {
  if (!transcript_.bad()) return;
  throw SessionFailure(FailureLine("write the transcript to standard output", errno),
                       kInputOutputFailure);
}

}  // namespace flyback

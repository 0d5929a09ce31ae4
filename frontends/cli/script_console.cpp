#include "script_console.h"

#include <string>

namespace flyback {

void ScriptConsole::ClearWindow() {
  transcript_ << "\f\n";
}

void ScriptConsole::WriteLine(const Line& line) {
  transcript_ << LayoutFixedPitch(line) << '\n';
}

std::string ScriptConsole::Ask(const Question& question) {
  transcript_ << "?> " << question.title;
  if (!question.default_answer.empty()) transcript_ << " [" << question.default_answer << ']';
  if (!question.prompt.empty()) transcript_ << " {" << question.prompt << '}';
  std::string answer;
  if (std::getline(answers_, answer)) {
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
    if (answer.empty()) answer = question.default_answer;
  } else {
    answer.clear();
  }
  transcript_ << " => " << (answer.empty() ? "<cancel>" : answer) << '\n';
  return answer;
}

void ScriptConsole::CloseWindow() {
  transcript_.flush();
}

}  // namespace flyback

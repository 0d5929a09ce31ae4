#include "terminal_console.h"

#include <string>

namespace flyback {

void TerminalConsole::ClearWindow() {
  out_ << "\x1b[H\x1b[2J" << std::flush;
}

void TerminalConsole::WriteLine(const Line& line) {
  out_ << LayoutFixedPitch(line) << '\n';
}

std::string TerminalConsole::Ask(const Question& question) {
  out_ << "\n\x1b[7m " << question.title << " \x1b[0m\n";
  if (!question.prompt.empty()) out_ << question.prompt << '\n';
  if (!question.default_answer.empty()) out_ << '[' << question.default_answer << "] ";
  out_ << "> " << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    out_ << '\n';
    return {};
  }
  if (!answer.empty() && answer.back() == '\r') answer.pop_back();
  return answer.empty() ? question.default_answer : answer;
}

void TerminalConsole::CloseWindow() {
  out_ << '\n' << std::flush;
}

}  // namespace flyback

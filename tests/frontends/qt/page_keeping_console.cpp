#include "page_keeping_console.h"

namespace flyback {

void PageKeepingConsole::ClearWindow() {
  ScriptConsole::ClearWindow();
  area_.Clear();
  ++page_;
}

void PageKeepingConsole::WriteLine(const Line& line) {
  ScriptConsole::WriteLine(line);
  area_.WriteLine(line);
}

std::string PageKeepingConsole::Ask(const Question& question) {
  shown_.push_back({page_, question.title, area_.lines()});
  return ScriptConsole::Ask(question);
}

}  // namespace flyback

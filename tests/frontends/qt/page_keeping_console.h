#pragma once

// Script mode into the window's text area: answers come from a stream as
// `flyback --script` reads them and the transcript goes to a stream, while
// every line is also drawn into a text area of the window. At every question
// the page is kept as the window shows it then.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "script_console.h"
#include "text_area.h"

namespace flyback {

struct ShownPage {
  int page = 0;  // counts the clearings of the window: equal numbers, the same page
  std::string question;
  std::vector<PlacedLine> lines;
};

class PageKeepingConsole : public ScriptConsole {
 public:
  PageKeepingConsole(std::istream& answers, std::ostream& transcript, TextArea& area)
      : ScriptConsole(answers, transcript), area_(area) {}

  void ClearWindow() override;
  void WriteLine(const Line& line) override;
  std::string Ask(const Question& question) override;

  const std::vector<ShownPage>& shown() const { return shown_; }

 private:
  TextArea& area_;
  int page_ = 0;
  std::vector<ShownPage> shown_;
};

}  // namespace flyback

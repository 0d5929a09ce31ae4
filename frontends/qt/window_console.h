#pragma once

// The console of the desktop window: pages are written into the text area,
// questions are asked with the modal question dialog, a report file that
// exists is replaced only when the user says so, and the end of the program
// closes the window.

#include <QWidget>
#include <string>

#include "answer_feed.h"
#include "base/console/console.h"
#include "text_area.h"

namespace flyback {

class WindowConsole : public Console {
 public:
  // `feed`, when given, answers the questions (test hook, see answer_feed.h).
  WindowConsole(QWidget& window, TextArea& text_area, AnswerFeed* feed)
      : window_(window), text_area_(text_area), feed_(feed) {}

  void ClearWindow() override { text_area_.Clear(); }
  void WriteLine(const Line& line) override { text_area_.WriteLine(line); }
  std::string Ask(const Question& question) override;
  // "NAME exists. Replace it?" with Yes and No (the default) when the file
  // exists. Runs answered from a file (the test hook) replace it, as script
  // mode does.
  bool ConfirmReplace(const std::string& name) override;

 protected:
  void CloseWindow() override { window_.close(); }

 private:
  QWidget& window_;
  TextArea& text_area_;
  AnswerFeed* feed_;
};

}  // namespace flyback

#pragma once

// The main window "Form1": a fixed client area holding the text area, the
// "Start" button and a one-line text box. Start runs the whole dialogue on
// this thread; each question is a modal dialog, so the window takes no input
// while one is open. The end of the dialogue closes the window.

#include <QWidget>
#include <functional>

#include "answer_feed.h"
#include "text_area.h"
#include "window_console.h"

class QLineEdit;
class QPushButton;

namespace flyback {

class MainWindow : public QWidget {
 public:
  // Runs the dialogue on the window's console; by default a plain design
  // run. The front-end passes its session (resumed and kept answers), which
  // catches what would otherwise cross Qt's event loop.
  using DialogueRun = std::function<void(Console& console)>;
  // `feed`, when given, answers the questions (test hook); `show_overview`,
  // when given, is offered as "Design overview…" in the text area's menu.
  explicit MainWindow(DialogueRun run_dialogue = {}, AnswerFeed* feed = nullptr,
                      const std::function<void()>& show_overview = {});

  TextArea* text_area() const { return text_area_; }
  QLineEdit* status_box() const { return status_box_; }
  QPushButton* start_button() const { return start_button_; }

 private:
  void Start();

  TextArea* text_area_;
  QLineEdit* status_box_;
  QPushButton* start_button_;
  WindowConsole console_;
  DialogueRun run_dialogue_;
  bool started_ = false;
};

}  // namespace flyback

#pragma once

// The main window "Form1": a fixed client area holding the text area, the
// "Start" button and a one-line text box. Start runs the whole dialogue on
// this thread; each question is a modal dialog, so the window takes no input
// while one is open. The end of the dialogue closes the window.

#include <QWidget>

#include "answer_feed.h"
#include "console/answer_log.h"
#include "design/design_state.h"
#include "text_area.h"
#include "window_console.h"

class QLineEdit;
class QPushButton;

namespace flyback {

class MainWindow : public QWidget {
 public:
  // `log`, when given, keeps every answer taken; `feed`, when given,
  // answers the questions (test hook).
  explicit MainWindow(AnswerLog* log = nullptr, AnswerFeed* feed = nullptr);

  TextArea* text_area() const { return text_area_; }
  QLineEdit* status_box() const { return status_box_; }
  QPushButton* start_button() const { return start_button_; }

 private:
  void Start();

  TextArea* text_area_;
  QLineEdit* status_box_;
  QPushButton* start_button_;
  WindowConsole console_;
  DesignState state_;
  AnswerLog* log_;
  bool started_ = false;
};

}  // namespace flyback

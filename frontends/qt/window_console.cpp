#include "window_console.h"

#include "question_dialog.h"

namespace flyback {

std::string WindowConsole::Ask(const Question& question) {
  QuestionDialog dialog(question, &window_);
  if (feed_ != nullptr) feed_->Attach(dialog);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace flyback

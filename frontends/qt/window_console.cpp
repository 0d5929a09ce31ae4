#include "window_console.h"

#include <QMessageBox>

#include "question_dialog.h"

namespace flyback {

std::string WindowConsole::Ask(const Question& question) {
  QuestionDialog dialog(question, &window_);
  if (feed_ != nullptr) feed_->Attach(dialog);
  dialog.exec();
  return dialog.Answer();
}

bool WindowConsole::ConfirmReplace(const std::string& name) {
  if (feed_ != nullptr || !ReplacesExistingFile(name)) return true;
  QMessageBox box(QMessageBox::Question, window_.windowTitle(),
                  QString::fromStdString(name + " exists. Replace it?"),
                  QMessageBox::Yes | QMessageBox::No, &window_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  box.setWindowModality(Qt::WindowModal);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace flyback

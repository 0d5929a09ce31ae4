#include "window_console.h"

#include <QMessageBox>

#include "question_dialog.h"
#include "window_geometry.h"

namespace flyback {

std::string WindowConsole::Ask(const Question& question) {
  QuestionDialog dialog(question, &window_);
  if (feed_ != nullptr) feed_->Attach(dialog);
  // The dialog's frame, taken to be Form1's (the same window manager draws
  // both), is known only once it is on the screen.
  const QRect frame = QRect(dialog.pos(), dialog.minimumSizeHint().expandedTo(dialog.minimumSize()))
                          .marginsAdded(BorderAround(window_));
  text_area_.KeepClearOf(frame.translated(-text_area_.mapToGlobal(QPoint(0, 0))));
  dialog.exec();
  text_area_.KeepClearOf({});
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

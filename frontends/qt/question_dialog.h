#pragma once

// The question dialog: the question's title in the title bar, its prompt (if
// any) above the input field, the default answer in the field fully selected
// so that typing replaces it, and the buttons "OK" (the default button, also
// Return) and "Abbrechen" (also Escape and the close box). It opens at a
// fixed place of the screen, modal to the main window.

#include <QDialog>
#include <string>

#include "base/console/console.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace flyback {

class QuestionDialog : public QDialog {
 public:
  QuestionDialog(const Question& question, QWidget* parent);

  // After the dialog is closed: the field's text if it was confirmed, the
  // empty text if it was cancelled.
  std::string Answer() const;

  QLabel* prompt() const { return prompt_; }
  QLineEdit* field() const { return field_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 protected:
  // The page the question belongs to comes in front with it: where the
  // design overview lies over Form1 (a low screen), Form1 comes over it.
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* prompt_;
  QLineEdit* field_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

}  // namespace flyback

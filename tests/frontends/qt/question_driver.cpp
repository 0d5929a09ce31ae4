#include "question_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace flyback {

void OnNextQuestion(QuestionAction action) {
  // The timer fires inside the event loop of the dialog that the test opens
  // next: by then that dialog is the active modal widget.
  QTimer::singleShot(0, [action = std::move(action)] {
    auto* dialog = dynamic_cast<QuestionDialog*>(QApplication::activeModalWidget());
    QVERIFY2(dialog != nullptr, "no question dialog is open");
    action(*dialog);
  });
}

void PressKey(QuestionDialog& dialog, Qt::Key key) {
  QTest::keyClick(dialog.field(), key);
}

}  // namespace flyback

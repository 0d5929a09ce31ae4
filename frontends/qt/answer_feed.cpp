#include "answer_feed.h"

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <iostream>

#include "answer_file_reading.h"
#include "question_dialog.h"

namespace flyback {

namespace {
// Time for the window system to map and draw the dialog before the screen is
// read back (milliseconds).
constexpr int kSettleTime = 500;

// The settle time, or the seconds FLYBACK_GUI_SCREENSHOT_WAIT gives (for a
// view that fills in later, such as a simulation), in milliseconds.
int SettleTime() {
  bool given = false;
  const int seconds = qEnvironmentVariableIntValue(kScreenshotWaitVariable, &given);
  return given && seconds > 0 ? 1000 * seconds : kSettleTime;
}
}  // namespace

std::optional<std::string> AnswerFeed::NextAnswer() {
  std::string answer;
  if (!ReadAnswerLine(*answers_, answer)) return std::nullopt;
  return answer;
}

void AnswerFeed::Attach(QuestionDialog& dialog) {
  if (const std::optional<std::string> answer = NextAnswer()) {
    const QString text = QString::fromStdString(*answer);
    QTimer::singleShot(0, &dialog, [&dialog, text] {
      if (!text.isEmpty()) dialog.field()->setText(text);
      dialog.ok_button()->click();
    });
    return;
  }
  const bool screenshot = !screenshot_file_.isEmpty();
  QTimer::singleShot(screenshot ? SettleTime() : 0, &dialog, [this, &dialog, screenshot] {
    if (screenshot) SaveScreenshot(dialog);
    dialog.reject();
  });
}

void AnswerFeed::SaveScreenshot(const QuestionDialog& dialog) {
  QScreen* screen = dialog.screen();
  const QPixmap shot = screen != nullptr ? screen->grabWindow(0) : QPixmap();
  if (shot.isNull() || !shot.save(screenshot_file_, "PNG")) {
    std::cerr << "flyback-gui: cannot save the screenshot \"" << screenshot_file_.toStdString()
              << "\"\n";
    ok_ = false;
  }
}

}  // namespace flyback

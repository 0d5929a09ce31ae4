#pragma once

// Test hook of the window, for automated runs and screenshots. With the
// environment variable FLYBACK_GUI_ANSWERS naming a file, flyback-gui presses
// Start itself and gives the file's lines to the question dialogs one after
// the other, as script mode reads them: an empty line presses Return on the
// default answer, and the end of the file cancels, which ends the program.
// With FLYBACK_GUI_SCREENSHOT naming a PNG file, the screen with the question
// that the answers no longer reach is saved there before it is cancelled,
// half a second after it opens or FLYBACK_GUI_SCREENSHOT_WAIT seconds.
// Being variables of the environment, both also pass through the launcher
// `flyback`.

#include <QString>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace flyback {

class QuestionDialog;

inline constexpr const char* kAnswersVariable = "FLYBACK_GUI_ANSWERS";
inline constexpr const char* kScreenshotVariable = "FLYBACK_GUI_SCREENSHOT";
inline constexpr const char* kScreenshotWaitVariable = "FLYBACK_GUI_SCREENSHOT_WAIT";

class AnswerFeed {
 public:
  // `screenshot_file` empty: no screenshot.
  AnswerFeed(std::unique_ptr<std::istream> answers, QString screenshot_file)
      : answers_(std::move(answers)), screenshot_file_(std::move(screenshot_file)) {}

  // Arranges what happens to `dialog` once it is shown: it is answered with
  // the next line, or (after the last line) the screen is saved if asked for
  // and the dialog is cancelled.
  void Attach(QuestionDialog& dialog);

  // False after a screenshot could not be saved.
  bool ok() const { return ok_; }

 private:
  std::optional<std::string> NextAnswer();
  void SaveScreenshot(const QuestionDialog& dialog);

  std::unique_ptr<std::istream> answers_;
  QString screenshot_file_;
  bool ok_ = true;
};

}  // namespace flyback

// flyback-gui: the design calculator in its desktop window.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "answer_feed.h"
#include "flyback_version.h"
#include "main_window.h"
#include "stream_answer_log.h"

namespace {

constexpr const char* kUsage =
    "Usage: flyback-gui [--record FILE]\n"
    "Design calculator for flyback switched-mode power supplies, desktop window.\n"
    "\n"
    "  --record FILE  write every answer taken to FILE, one per line, so that\n"
    "                 'flyback --script < FILE' replays the session\n"
    "  --help         show this help\n"
    "  --version      show the version\n"
    "\n"
    "For automated runs and screenshots:\n"
    "  FLYBACK_GUI_ANSWERS=FILE     press Start and answer the questions from\n"
    "                               FILE as 'flyback --script' reads them (an\n"
    "                               empty line takes the default, the end of\n"
    "                               the file cancels)\n"
    "  FLYBACK_GUI_SCREENSHOT=PNG   save the screen as PNG at the question that\n"
    "                               cancels\n";

// Reads the options; gives an exit code when the program is to end at once.
std::optional<int> ParseOptions(const std::vector<std::string>& arguments,
                                std::string& record_file) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (argument == "--version") {
      std::cout << "flyback-gui " << flyback::kVersion << '\n';
      return 0;
    }
    if (argument == "--record" && i + 1 < arguments.size()) {
      record_file = arguments[++i];
    } else {
      std::cerr << "flyback-gui: unknown option '" << argument << "'\n\n" << kUsage;
      return 2;
    }
  }
  return std::nullopt;
}

void ReportOpenFailure(const std::string& what, const std::string& name) {
  std::cerr << "flyback-gui: cannot open the " << what << " \"" << name
            << "\": " << std::strerror(errno) << '\n';
}

// The test hook named by the environment, if any (see answer_feed.h).
// Sets `failed` when the answer file cannot be read.
std::unique_ptr<flyback::AnswerFeed> FeedFromEnvironment(bool& failed) {
  const std::string answers_file = qEnvironmentVariable(flyback::kAnswersVariable).toStdString();
  const QString screenshot_file = qEnvironmentVariable(flyback::kScreenshotVariable);
  if (answers_file.empty() && screenshot_file.isEmpty()) return nullptr;
  std::unique_ptr<std::istream> answers = std::make_unique<std::istringstream>();
  if (!answers_file.empty()) {
    answers = std::make_unique<std::ifstream>(answers_file, std::ios::binary);
    if (!*answers) {
      ReportOpenFailure("answer file", answers_file);
      failed = true;
      return nullptr;
    }
  }
  return std::make_unique<flyback::AnswerFeed>(std::move(answers), screenshot_file);
}

}  // namespace

int main(int argc, char** argv) {
  // The options come first, so that --help and --version work without a
  // display. Qt takes its settings from the environment (QT_QPA_PLATFORM...).
  std::string record_file;
  if (const std::optional<int> exit_code =
          ParseOptions(std::vector<std::string>(argv + 1, argv + argc), record_file)) {
    return *exit_code;
  }
  int qt_argc = 1;
  QApplication application(qt_argc, argv);
  std::unique_ptr<std::ofstream> record;
  if (!record_file.empty()) {
    record = std::make_unique<std::ofstream>(record_file, std::ios::binary);
    if (!*record) {
      ReportOpenFailure("record file", record_file);
      return 2;
    }
  }
  bool feed_failed = false;
  const std::unique_ptr<flyback::AnswerFeed> feed = FeedFromEnvironment(feed_failed);
  if (feed_failed) return 2;

  std::unique_ptr<flyback::StreamAnswerLog> log;
  if (record) log = std::make_unique<flyback::StreamAnswerLog>(*record);
  flyback::MainWindow window(log.get(), feed.get());
  window.show();
  if (feed) QTimer::singleShot(0, window.start_button(), &QPushButton::click);
  const int exit_code = QApplication::exec();
  return feed && !feed->ok() ? 1 : exit_code;
}

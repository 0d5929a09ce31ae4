// flyback-gui: the design calculator in its desktop window.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <clocale>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "answer_feed.h"
#include "command_line.h"
#include "design_export.h"
#include "main_window.h"
#include "observer_list.h"
#include "overview_window.h"
#include "session.h"
#include "session_failure.h"
#include "standard_streams.h"
#include "startup_messages.h"

namespace {

constexpr const char* kUsage =
    "Usage: flyback-gui [--overview] [--resume FILE] [--record FILE]\n"
    "                   [--export FILE.json] [--bom FILE.csv]\n"
    "Design calculator for flyback switched-mode power supplies, desktop window.\n"
    "\n"
    "  --overview     open the window \"Design overview\" at once (F2 and the\n"
    "                 text area's menu open it later): key figures and checks,\n"
    "                 output windows, currents, the optimization's sweep\n"
    "  --resume FILE  press Start and take the answers of FILE first, as\n"
    "                 'flyback --script' reads them, then go on from the\n"
    "                 question where FILE ends\n"
    "  --record FILE  write every answer taken to FILE, one per line, so that\n"
    "                 'flyback --script < FILE' replays the session\n"
    "  --export FILE  keep the design in FILE as JSON, rewritten after every\n"
    "                 calculation (with the design checks)\n"
    "  --bom FILE     write the component list as a CSV parts list to FILE\n"
    "                 whenever the component list is made\n"
    "  --help         show this help\n"
    "  --version      show the version\n"
    "\n"
    "The answers of the running session are kept in last-session.txt (and\n"
    "those of the session before in previous-session.txt) in\n"
    "$XDG_STATE_HOME/flyback, by default ~/.local/state/flyback.\n"
    "\n"
    "Exit status: 0 the user ended the dialogue; 1 an input or output failed\n"
    "(the record file); 2 a bad command line, no display to open the window\n"
    "on, or a file named here that cannot be used.\n"
    "\n"
    "For automated runs and screenshots:\n"
    "  FLYBACK_GUI_ANSWERS=FILE     press Start and answer the questions from\n"
    "                               FILE as 'flyback --script' reads them (an\n"
    "                               empty line takes the default, the end of\n"
    "                               the file cancels); existing report files\n"
    "                               are replaced without asking\n"
    "  FLYBACK_GUI_SCREENSHOT=PNG   save the screen as PNG at the question that\n"
    "                               cancels\n";

constexpr const char* kProgram = "flyback-gui";

// The test hook named by the environment, if any (see answer_feed.h).
std::unique_ptr<flyback::AnswerFeed> FeedFromEnvironment(const std::string& answers_file) {
  const QString screenshot_file = qEnvironmentVariable(flyback::kScreenshotVariable);
  if (answers_file.empty() && screenshot_file.isEmpty()) return nullptr;
  // The feed takes whole lines (std::getline) and parses no number from the
  // stream, so the stream's locale does not matter. Without an answer file
  // the first question is the one that cancels: a screenshot of the start.
  if (answers_file.empty()) {
    return std::make_unique<flyback::AnswerFeed>(std::make_unique<std::istringstream>(),
                                                 screenshot_file);
  }
  auto answers = std::make_unique<std::ifstream>(answers_file, std::ios::binary);
  if (!*answers) {
    throw flyback::SessionFailure(
        flyback::FailureLine("open the answer file \"" + answers_file + "\"", errno),
        flyback::kUnusableStart);
  }
  return std::make_unique<flyback::AnswerFeed>(std::move(answers), screenshot_file);
}

int RunWindow(const flyback::CommandLine& command_line) {
  const std::string answers_file = qEnvironmentVariable(flyback::kAnswersVariable).toStdString();
  const std::unique_ptr<flyback::AnswerFeed> feed = FeedFromEnvironment(answers_file);
  flyback::SessionSettings settings = flyback::SessionSettingsOf(kProgram, command_line);
  settings.answer_input = answers_file;
  settings.keep_session_files = true;
  flyback::Session session(settings);
  flyback::DesignExport exporter(command_line.export_file, command_line.bom_file);
  flyback::OverviewWindow overview;
  flyback::ObserverList observers({&exporter, &overview});
  int exit_status = flyback::kEndedByUser;
  flyback::MainWindow window(
      [&session, &exit_status, &observers](flyback::Console& console) {
        exit_status = session.Run(console, {}, &observers);
      },
      feed.get(), [&overview, &window] { overview.ShowBeside(window); });
  flyback::OverviewKey overview_key(overview, window);
  QApplication::instance()->installEventFilter(&overview_key);
  window.show();
  if (std::ranges::find(command_line.switches, "--overview") != command_line.switches.end()) {
    overview.ShowBeside(window);
  }
  // A resumed session goes on where it ended; the answers of the test hook
  // begin with the Start button.
  if (feed || session.resumes()) {
    QTimer::singleShot(0, window.start_button(), &QPushButton::click);
  }
  QApplication::exec();
  if (feed && !feed->ok()) return flyback::kInputOutputFailure;
  return exit_status;
}

}  // namespace

int main(int argc, char** argv) {
  flyback::PlugClosedStandardStreams();
  // The options come first, so that --help and --version work without a
  // display. Qt takes its settings from the environment (QT_QPA_PLATFORM...).
  flyback::CommandLine command_line;
  if (const std::optional<int> exit_status =
          flyback::ReadCommandLine({kProgram, kUsage}, argc, argv, {"--overview"}, command_line)) {
    return *exit_status;
  }
  int qt_argc = 1;
  std::unique_ptr<QApplication> application;
  {
    const flyback::StartupMessages held_back;
    application = std::make_unique<QApplication>(qt_argc, argv);
  }
  // Qt takes the user's locale; the system's reasons for a failure stay in
  // English like the lines around them (numbers never depend on it).
  std::setlocale(LC_MESSAGES, "C");
  try {
    return RunWindow(command_line);
  } catch (const flyback::SessionFailure& failure) {
    std::cerr << kProgram << ": " << failure.what() << '\n';
    return failure.exit_status();
  }
}

// flyback-gui: the design calculator in its desktop window.

#include <QApplication>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cerrno>
#include <clocale>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "alternatives_tab.h"
#include "answer_feed.h"
#include "command_line.h"
#include "design_evaluator.h"
#include "design_export.h"
#include "load_points_option.h"
#include "loop_tab.h"
#include "main_window.h"
#include "overview_window.h"
#include "session.h"
#include "session_failure.h"
#include "standard_streams.h"
#include "startup_messages.h"

namespace {

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
  const flyback::UserCoreData* core_data = session.core_data() ? &*session.core_data() : nullptr;
  flyback::DesignEvaluator evaluator(flyback::EvaluationRequestOf(command_line, core_data));
  flyback::OverviewWindow overview(evaluator, command_line.simulate,
                                   flyback::LoadPointsOf(command_line));
  flyback::DesignExport exporter(command_line.export_file, command_line.bom_file,
                                 command_line.netlist_file, command_line.design_report_file,
                                 command_line.efficiency_map_file, evaluator,
                                 &overview.simulation()->outcome());
  flyback::AlternativesTab* alternatives = nullptr;
  if (command_line.advise) {
    alternatives = new flyback::AlternativesTab(evaluator);
    overview.AddLowerTab(alternatives, QStringLiteral("Alternatives"));
    // The user asked for the ranking: the overview opens on it.
    overview.lower_tabs()->setCurrentWidget(alternatives);
  }
  // The overview first: a new design drops the simulation of the one before
  // before the design file is written.
  evaluator.Add(&overview);
  evaluator.Add(&exporter);
  evaluator.Add(alternatives);
  // The crossover the user sets in the Loop tab: the shown design again,
  // its loop designed for it, in every view and in the files.
  overview.loop()->crossover()->setValue(command_line.loop_crossover_Hz.value_or(0));
  overview.loop()->OnCrossoverChosen(
      [&evaluator](double crossover_Hz) { evaluator.SetLoopCrossover(crossover_Hz); });
  // So do the parts the user sets there in place of the list's.
  overview.loop()->editor()->OnChosen(
      [&evaluator](const std::optional<flyback::OptoCompensator>& parts) {
        evaluator.SetLoopParts(parts);
      });
  overview.simulation()->OnEnded([&exporter] {
    try {
      exporter.Refresh();
    } catch (const flyback::SessionFailure& failure) {
      // The next write of the dialogue meets the same failure and ends it.
      std::cerr << kProgram << ": " << failure.what() << '\n';
    }
  });
  int exit_status = flyback::kEndedByUser;
  flyback::MainWindow window(
      [&session, &exit_status, &evaluator](flyback::Console& console) {
        exit_status = session.Run(console, {}, &evaluator);
      },
      feed.get(), [&overview, &window] { overview.ShowBeside(window); });
  window.text_area()->addAction(overview.save_report());
  flyback::OverviewKey overview_key(overview, window);
  QApplication::instance()->installEventFilter(&overview_key);
  window.show();
  if (command_line.overview) {
    overview.ShowBeside(window, flyback::OverviewWindow::Stacking::kBehindForm);
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
  if (const std::optional<int> exit_status = flyback::ReadCommandLine(
          {kProgram, flyback::Program::kWindow}, argc, argv, {}, command_line)) {
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

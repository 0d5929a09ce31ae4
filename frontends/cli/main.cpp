// flyback: the terminal and script front-ends, and the launcher of the window.

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "advice_table.h"
#include "background_simulation.h"
#include "command_line.h"
#include "design_evaluator.h"
#include "design_export.h"
#include "efficiency_table.h"
#include "load_points_option.h"
#include "loop_table.h"
#include "resume_hint.h"
#include "script_console.h"
#include "session.h"
#include "session_failure.h"
#include "side_table.h"
#include "simulation_observer.h"
#include "standard_streams.h"
#include "terminal_check.h"
#include "terminal_console.h"
#include "window_launch.h"
#include "window_system.h"

namespace {

constexpr const char* kProgram = "flyback";

// The switch for the loop's table, beside those of the mode.
constexpr const char* kLoopSwitch = "--loop";

enum class Mode { kAutomatic, kScript, kTerminal, kWindow };

Mode ModeOf(const std::vector<std::string>& switches) {
  Mode mode = Mode::kAutomatic;
  for (const std::string& name : switches) {
    if (name == kLoopSwitch) continue;
    const Mode chosen = name == "--script" ? Mode::kScript
                        : name == "--tty"  ? Mode::kTerminal
                                           : Mode::kWindow;
    if (mode != Mode::kAutomatic && mode != chosen) {
      throw flyback::SessionFailure("choose one of --script, --tty and --gui",
                                    flyback::kUnusableStart);
    }
    mode = chosen;
  }
  return mode;
}

// What watches the dialogue: the simulation (--simulate), the keeper of the
// design file, the parts list, the netlist, the design report and the
// efficiency map, the core adviser's table (--advise) and the efficiency
// table, where the command line asks for them;
// without, the dialogue runs unobserved and records nothing.
class Observers {
 public:
  // How the simulation runs: in script mode the dialogue waits for it, so
  // that a run is as deterministic as the transcript; the terminal runs it
  // on a thread beside the dialogue.
  enum class Simulation { kWaited, kBeside };

  // `tables`: where the simulation's comparison and the adviser's ranking
  // go (standard error in script mode: the transcript stays as it is), or
  // null.
  Observers(const flyback::CommandLine& command_line, const flyback::Session& session,
            std::ostream* tables, Simulation simulation)
      : evaluator_(Request(command_line, session, tables)),
        simulation_(command_line.simulate && simulation == Simulation::kWaited
                        ? std::make_unique<flyback::SimulationObserver>(
                              evaluator_, tables, flyback::LoadPointsOf(command_line))
                        : nullptr),
        background_(command_line.simulate && simulation == Simulation::kBeside
                        ? std::make_unique<flyback::BackgroundSimulation>(
                              evaluator_, flyback::LoadPointsOf(command_line))
                        : nullptr),
        exporter_(Exports(command_line)
                      ? std::make_unique<flyback::DesignExport>(
                            command_line.export_file, command_line.bom_file,
                            command_line.netlist_file, command_line.design_report_file,
                            command_line.efficiency_map_file, evaluator_, Simulated())
                      : nullptr),
        advice_table_(
            command_line.advise && tables != nullptr
                ? std::make_unique<flyback::SideTable>(*tables, evaluator_, flyback::AdviceTableOf)
                : nullptr),
        efficiency_table_(ShowsEfficiency(command_line) && tables != nullptr
                              ? std::make_unique<flyback::SideTable>(*tables, evaluator_,
                                                                     flyback::EfficiencyTableOf)
                              : nullptr),
        loop_table_(
            Loop(command_line) && tables != nullptr
                ? std::make_unique<flyback::SideTable>(*tables, evaluator_, flyback::LoopTableOf)
                : nullptr) {
    // The simulation first: the design file then holds the run of the design,
    // or, for a run beside the dialogue, none until the run has ended.
    evaluator_.Add(simulation_.get());
    evaluator_.Add(background_.get());
    evaluator_.Add(exporter_.get());
    evaluator_.Add(advice_table_.get());
    evaluator_.Add(efficiency_table_.get());
    evaluator_.Add(loop_table_.get());
    if (exporter_) exporter_->NoticesTo(tables);
    if (background_ && exporter_) {
      background_->OnEnded([exporter = exporter_.get()] { exporter->Refresh(); });
    }
  }

  // For a simulation beside the dialogue, on the dialogue's thread: takes a
  // run that has ended (the design file and report are written again with
  // it) and returns the line on the run; empty without one.
  std::string SimulationActivity() { return background_ ? background_->Poll() : std::string(); }
  bool SimulatesBeside() const { return background_ != nullptr; }

  // The exporter's lines on files it did not write, kept where there was no
  // room for them.
  std::vector<std::string> HeldNotices() const {
    return exporter_ ? exporter_->held_notices() : std::vector<std::string>{};
  }

  // Why the last simulation failed, if it did.
  std::optional<std::string> SimulationFailure() const {
    const std::optional<flyback::SimulationOutcome>* simulated = Simulated();
    if (simulated == nullptr || !*simulated || (*simulated)->comparison) return std::nullopt;
    return (*simulated)->failure;
  }

  // Null where nothing watches.
  flyback::DesignObserver* get() {
    return simulation_ || background_ || exporter_ || advice_table_ || efficiency_table_ ||
                   loop_table_
               ? &evaluator_
               : nullptr;
  }

 private:
  // Where the simulation of the design shown last is kept; null without one.
  const std::optional<flyback::SimulationOutcome>* Simulated() const {
    if (simulation_) return &simulation_->outcome();
    return background_ ? &background_->outcome() : nullptr;
  }

  static const flyback::UserCoreData* CoreData(const flyback::Session& session) {
    const std::optional<flyback::UserCoreData>& core_data = session.core_data();
    return core_data ? &*core_data : nullptr;
  }
  // The ranking is made only where something shows it.
  static flyback::EvaluationRequest Request(const flyback::CommandLine& command_line,
                                            const flyback::Session& session,
                                            const std::ostream* tables) {
    flyback::EvaluationRequest request =
        flyback::EvaluationRequestOf(command_line, CoreData(session));
    request.alternatives = command_line.advise && (Exports(command_line) || tables != nullptr);
    return request;
  }
  static bool Loop(const flyback::CommandLine& command_line) {
    return std::ranges::find(command_line.switches, kLoopSwitch) != command_line.switches.end();
  }
  static bool Exports(const flyback::CommandLine& command_line) {
    return !command_line.export_file.empty() || !command_line.bom_file.empty() ||
           !command_line.netlist_file.empty() || !command_line.design_report_file.empty() ||
           !command_line.efficiency_map_file.empty();
  }

  // The efficiency table goes beside the map's file and the rules' check.
  static bool ShowsEfficiency(const flyback::CommandLine& command_line) {
    return !command_line.efficiency_map_file.empty() || command_line.external_power_supply;
  }

  flyback::DesignEvaluator evaluator_;
  std::unique_ptr<flyback::SimulationObserver> simulation_;
  std::unique_ptr<flyback::BackgroundSimulation> background_;
  std::unique_ptr<flyback::DesignExport> exporter_;
  std::unique_ptr<flyback::SideTable> advice_table_;
  std::unique_ptr<flyback::SideTable> efficiency_table_;
  std::unique_ptr<flyback::SideTable> loop_table_;
};

int RunScript(const flyback::CommandLine& command_line,
              const flyback::ClosedStandardStreams& closed) {
  if (closed.input) {
    throw flyback::SessionFailure(
        flyback::FailureLine("read the answers from standard input", EBADF),
        flyback::kInputOutputFailure);
  }
  if (closed.output) {
    throw flyback::SessionFailure(
        flyback::FailureLine("write the transcript to standard output", EBADF),
        flyback::kInputOutputFailure);
  }
  flyback::SessionSettings settings = flyback::SessionSettingsOf(kProgram, command_line);
  settings.reads_standard_input = true;
  flyback::Session session(settings);
  // The transcript shows each question with its answer after the answer is
  // read: nothing needs to reach the screen before a read.
  std::cin.tie(nullptr);
  flyback::ScriptConsole console(std::cin, std::cout);
  Observers observers(command_line, session, &std::cerr, Observers::Simulation::kWaited);
  return session.Run(
      console,
      [&console](const flyback::Question& question, const std::string& answer) {
        console.ShowAnswered(question, answer);
      },
      observers.get());
}

// The terminal front-end draws a full-screen page: the caller has made sure
// that there is a terminal.
int RunTerminalSession(const flyback::CommandLine& command_line) {
  flyback::SessionSettings settings = flyback::SessionSettingsOf(kProgram, command_line);
  settings.keep_session_files = true;
  flyback::Session session(settings);
  int exit_status = flyback::kEndedByUser;
  std::optional<std::string> simulation_failure;
  std::vector<std::string> notices;
  {
    flyback::TerminalConsole console;
    Observers observers(command_line, session, nullptr, Observers::Simulation::kBeside);
    if (observers.SimulatesBeside()) {
      console.Watch([&observers] { return observers.SimulationActivity(); });
    }
    exit_status = session.Run(console, {}, observers.get());
    // A run that has ended since the last question was drawn still counts;
    // one still going is cancelled when the observers end, at once.
    observers.SimulationActivity();
    if (const std::optional<std::string>& failure = console.failure()) {
      throw flyback::SessionFailure(*failure, flyback::kInputOutputFailure);
    }
    simulation_failure = observers.SimulationFailure();
    notices = observers.HeldNotices();
  }
  // Below what the terminal showed last, once the dialogue has left it: the
  // screen has no room for a line of its own while the dialogue runs.
  if (simulation_failure) std::cerr << kProgram << ": " << *simulation_failure << '\n';
  for (const std::string& notice : notices) std::cerr << kProgram << ": " << notice << '\n';
  const std::string kept_in = session.kept_in();
  if (!kept_in.empty()) session.Say(flyback::ResumeHint(kept_in));
  return exit_status;
}

// Runs the window; returns its exit status, or sets `reason` to why there is
// no window (when the terminal may take over).
std::optional<int> RunWindow(const flyback::CommandLine& command_line, bool fallback,
                             std::string& reason) {
  const std::string program = flyback::WindowProgram();
  if (program.empty()) {
    reason = "the window program flyback-gui is not installed";
    return std::nullopt;
  }
  const flyback::WindowRun run =
      flyback::RunWindowProgram(program, flyback::SessionArguments(command_line), fallback);
  if (run.start_failure) {
    reason =
        flyback::FailureLine("start the window program \"" + program + "\"", *run.start_failure);
    return std::nullopt;
  }
  if (fallback && run.exit_status == flyback::kWindowUnavailable) {
    reason = flyback::NoWindowReason();
    return std::nullopt;
  }
  return run.exit_status;
}

// Without an option: the window where a display is named, the terminal
// otherwise or when the window cannot be opened.
int RunAutomatic(const flyback::CommandLine& command_line) {
  const bool display_named = flyback::DisplayNamed();
  std::string reason = "no display is set (DISPLAY, WAYLAND_DISPLAY)";
  if (display_named) {
    if (const std::optional<int> exit_status = RunWindow(command_line, true, reason)) {
      return *exit_status;
    }
  }
  if (const std::optional<std::string> problem = flyback::TerminalProblem()) {
    throw flyback::SessionFailure(reason + ", and " + *problem, flyback::kUnusableStart);
  }
  if (display_named) {
    std::cerr << kProgram << ": " << reason << "; using the terminal\n" << std::flush;
  }
  return RunTerminalSession(command_line);
}

int Run(const flyback::CommandLine& command_line, const flyback::ClosedStandardStreams& closed) {
  const Mode mode = ModeOf(command_line.switches);
  // The overview is a window beside Form1; where the window is chosen, or
  // may be, the window program takes the option over.
  if (command_line.overview && (mode == Mode::kScript || mode == Mode::kTerminal)) {
    throw flyback::SessionFailure(
        "the option --overview opens a window: not with --script or --tty",
        flyback::kUnusableStart);
  }
  switch (mode) {
    case Mode::kScript:
      return RunScript(command_line, closed);
    case Mode::kTerminal:
      if (const std::optional<std::string> problem = flyback::TerminalProblem()) {
        throw flyback::SessionFailure(*problem, flyback::kUnusableStart);
      }
      return RunTerminalSession(command_line);
    case Mode::kWindow: {
      std::string reason;
      if (const std::optional<int> exit_status = RunWindow(command_line, false, reason)) {
        return *exit_status;
      }
      throw flyback::SessionFailure(reason, flyback::kUnusableStart);
    }
    case Mode::kAutomatic:
      break;
  }
  return RunAutomatic(command_line);
}

}  // namespace

int main(int argc, char** argv) {
  // The program stays in the "C" locale: numbers are read and written the
  // same way in every locale, and the system's reasons for a failure are
  // English like the lines around them. Only the terminal front-end takes the
  // user's character set, when it draws; script mode loads no locale at all.
  std::ios::sync_with_stdio(false);
  const flyback::ClosedStandardStreams closed = flyback::PlugClosedStandardStreams();
  flyback::CommandLine command_line;
  if (const std::optional<int> exit_status =
          flyback::ReadCommandLine({kProgram, flyback::Program::kFlyback}, argc, argv,
                                   {"--script", "--tty", "--gui", kLoopSwitch}, command_line)) {
    return *exit_status;
  }
  try {
    return Run(command_line, closed);
  } catch (const flyback::SessionFailure& failure) {
    std::cerr << kProgram << ": " << failure.what() << '\n';
    return failure.exit_status();
  }
}

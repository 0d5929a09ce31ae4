#pragma once

// The window "Design overview" beside Form1: the design at a glance, redrawn
// whenever the dialogue shows a calculated design. It is a view of the
// design: it watches the dialogue and never writes into the design.
//   - the key figures with their limits and the findings of the checks,
//   - the voltage window of every output with its actual voltage,
//   - in tabs: where the watts go (the loss budget with its efficiency and
//     the transformer's temperature rise), the efficiency over line and load
//     against the rules, the feedback loop at its corners, the currents over
//     one switching period, the accuracy factor of the last optimization's
//     sweep, and the stage simulated in ngspice beside the calculation.
// Every chart is saved as PNG or SVG from its context menu; the whole design
// as the printable design report by "Save design report…".

#include <QWidget>
#include <memory>
#include <vector>

#include "chart_view.h"
#include "design_evaluator.h"
#include "design_report_action.h"
#include "efficiency_tab.h"
#include "engine/checks/design_checks.h"
#include "loop_tab.h"
#include "pages/dialogue/optimization_recorder.h"
#include "simulation_panel.h"

class QListWidget;
class QScrollArea;
class QTabWidget;
class QTableWidget;
class QWindow;

namespace flyback {

class OverviewWindow : public QWidget, public OptimizationRecorder {
 public:
  // `evaluator`: whose evaluation of each shown design the window renders;
  // it outlives the window. `simulate`: every design shown is simulated at
  // once (--simulate), not only on the user's demand; `load_points`:
  // whether a simulation takes the efficiency map's part loads
  // (--without-load-points).
  explicit OverviewWindow(const DesignEvaluator& evaluator, bool simulate = false,
                          LoadPoints load_points = LoadPoints::kSimulated);

  // Where the window stands among the others once shown.
  enum class Stacking {
    kInFront,  // the user asked for it (F2, the text area's menu)
    // It opens with the program (--overview): where it lies over Form1 (on a
    // low screen), Form1 with its Start button stays in front.
    kBehindForm,
  };

  // Shows the window (again) beside `form`, or raises it; an open question
  // stays in front of it.
  void ShowBeside(QWidget& form, Stacking stacking = Stacking::kInFront);

  // As wide as its content without scrolling sideways, as high as its first
  // row (the key figures and the output windows); lower, it scrolls.
  QSize minimumSizeHint() const override;

  // Adds `tab` (which the window then owns) after the lower tabs.
  void AddLowerTab(QWidget* tab, const QString& title);

  void DesignShown(const DesignState& design) override;
  void ComponentsDimensioned(const DesignState& design) override;
  void OptimizationFinished(const SweepPoint& best, double chosen_Bmax) override;

  QTableWidget* key_figures() const { return key_figures_; }
  QListWidget* findings() const { return findings_; }
  ChartView* output_windows() const { return output_windows_; }
  ChartView* currents() const { return currents_; }
  ChartView* losses() const { return losses_; }
  EfficiencyTab* efficiency() const { return efficiency_; }
  LoopTab* loop() const { return loop_; }
  ChartView* sweep() const { return sweep_; }
  SimulationPanel* simulation() const { return simulation_; }
  // The losses, the efficiency, the loop, the currents, the sweep, the
  // simulation and any tab added, one at a time.
  QTabWidget* lower_tabs() const { return lower_tabs_; }
  // "Save design report…", also for the main window's text area.
  DesignReportAction* save_report() const { return save_report_; }

 protected:
  // Goes on placing the overview once the window it waits for is on the
  // screen.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Keeps an open question in front when the user clicks into the overview.
  void changeEvent(QEvent* event) override;

 private:
  // An open question (the question dialog, or a file's "Replace it?") that
  // the overview lies over goes in front of it: it waits for the user's
  // answer, and only the comma hint at the start is wider than the room
  // the overview leaves it.
  void KeepQuestionInFront();
  // Once `window` is on the screen: for Form1 the overview is shown beside
  // it, for the overview's own window it is placed again with its border.
  void AwaitExposure(QWindow& window, QWidget& form);
  // `border`: the one the window manager draws around the overview.
  void PlaceBeside(const QWidget& form, const QMargins& border);
  void ShowFindings(const std::vector<Finding>& checks);
  // The simulation's findings join the checks of the design.
  void SimulationEnded();
  // The loop of the design shown, with the simulation's points once it ran.
  void ShowLoop();
  void UpdateReport(const std::vector<Finding>& findings);

  QScrollArea* scroll_;  // around the content, on a low screen
  QWidget* content_;     // everything but the scroll bar
  QTableWidget* key_figures_;
  QListWidget* findings_;
  ChartView* output_windows_;
  ChartView* currents_;
  ChartView* losses_;
  EfficiencyTab* efficiency_;
  LoopTab* loop_;
  ChartView* sweep_;
  SimulationPanel* simulation_;
  QTabWidget* lower_tabs_;
  DesignReportAction* save_report_;
  const DesignEvaluator& evaluator_;
  std::shared_ptr<const DesignEvaluation> shown_;  // the evaluation of the design shown
  bool placed_ = false;
  QWidget* waiting_for_ = nullptr;          // Form1, while a window awaits exposure
  Stacking stacking_ = Stacking::kInFront;  // of the showing that awaits exposure
};

// F2 anywhere in the program (also while a question is open) shows the
// overview.
class OverviewKey : public QObject {
 public:
  OverviewKey(OverviewWindow& overview, QWidget& form) : overview_(overview), form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  OverviewWindow& overview_;
  QWidget& form_;
};

}  // namespace flyback

#pragma once

// The overview's tab "Simulation": the designed stage simulated in ngspice
// at both operating points, in a thread of its own so that the dialogue goes
// on; a progress bar and Cancel while it runs, then the comparison with the
// calculation as a table (a figure outside its tolerance in the warning's
// colour) and the waveforms of the last periods. A new design drops the
// simulation of the one before.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"
#include "simulation_worker.h"
#include "stage_simulation.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace flyback {

class ChartView;

class SimulationPanel : public QWidget {
 public:
  // `automatic`: each design is simulated as it is shown (--simulate),
  // otherwise when the user presses Simulate; `load_points`: whether a run
  // takes the efficiency map's part loads (--without-load-points).
  SimulationPanel(bool automatic, QWidget* parent, LoadPoints load_points = LoadPoints::kSimulated);
  SimulationPanel(const SimulationPanel&) = delete;
  SimulationPanel& operator=(const SimulationPanel&) = delete;

  // The evaluated design to simulate; the run shares it with the window.
  // A design whose stage is the one set before (shown again, or evaluated
  // again for another loop crossover) keeps its run and its outcome.
  void SetDesign(std::shared_ptr<const DesignEvaluation> evaluation);
  // The simulation of the design set last, once it has ended.
  const std::optional<SimulationOutcome>& outcome() const { return outcome_; }
  // `done` is called on the window's thread whenever a simulation of the
  // design set last has ended; each listener in the order added.
  void OnEnded(std::function<void()> done) { ended_.push_back(std::move(done)); }

  QPushButton* simulate_button() const { return simulate_; }
  QPushButton* cancel_button() const { return cancel_; }
  QProgressBar* progress() const { return progress_; }
  QLabel* status() const { return status_; }
  QTableWidget* table() const { return table_; }

 private:
  void Start();
  void Ended();
  void ShowIdle(int progress_percent);
  void ShowOutcome();
  void ShowPoint(int index);

  bool automatic_;
  std::shared_ptr<const DesignEvaluation> evaluation_;
  std::optional<SimulationOutcome> outcome_;
  std::vector<std::function<void()>> ended_;
  bool running_ = false;  // a run of the design set last has not ended yet

  QPushButton* simulate_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  QLabel* status_;
  QTableWidget* table_;
  QComboBox* point_;
  ChartView* drain_voltage_;
  ChartView* currents_;
  QTimer* poll_;
  // Last: destroyed first, it cancels the run going and waits for its
  // thread; an end it still posts is dropped with the panel.
  SimulationWorker worker_;
};

}  // namespace flyback

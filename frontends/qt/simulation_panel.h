#pragma once

// The overview's tab "Simulation": the designed stage simulated in ngspice
// at both operating points, in a thread of its own so that the dialogue goes
// on; a progress bar and Cancel while it runs, then the comparison with the
// calculation as a table (a figure outside its tolerance in the warning's
// colour) and the waveforms of the last periods. A new design drops the
// simulation of the one before.

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"

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
  // otherwise when the user presses Simulate.
  SimulationPanel(bool automatic, QWidget* parent);
  ~SimulationPanel() override;
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
  void Ended(SimulationOutcome outcome, int generation);
  void ShowOutcome();
  void ShowPoint(int index);

  bool automatic_;
  std::shared_ptr<const DesignEvaluation> evaluation_;
  std::string netlist_;  // of the design set last: the same stage is not dropped and run again
  int generation_ = 0;   // counts the designs set; an outcome of an older one is dropped
  std::optional<SimulationOutcome> outcome_;
  std::vector<std::function<void()>> ended_;
  std::thread worker_;
  bool running_ = false;
  bool restart_ = false;  // start again once the cancelled run has ended
  std::atomic<bool> cancel_flag_{false};
  std::atomic<double> share_done_{0};

  QPushButton* simulate_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  QLabel* status_;
  QTableWidget* table_;
  QComboBox* point_;
  ChartView* drain_voltage_;
  ChartView* currents_;
  QTimer* poll_;
};

}  // namespace flyback

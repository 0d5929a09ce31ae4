#pragma once

// The tab "Loop" of the design overview: the loop gain and phase of every
// corner against frequency, the compensator's values, the proposal for the
// crossover the user may set, the compensator the user may set by hand, and
// the margins of every corner with its
// warnings, the corner named in its curves' colour. After a simulation the
// .ac points of the simulated corners stand over their curves, and output 1
// across the load step is drawn below the margins. It renders the design's
// one evaluation and the simulation's outcome; a design without an
// opto-regulated loop says so.

#include <QWidget>
#include <functional>

#include "chart_view.h"
#include "compensator_editor.h"
#include "engine/evaluation/design_evaluation.h"
#include "engine/simulation/simulation_comparison.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace flyback {

class LoopTab : public QWidget {
 public:
  explicit LoopTab(QWidget* parent = nullptr);

  // `simulation`: the outcome of the design's simulation, none before one
  // ended.
  void Show(const DesignEvaluation& evaluation, const SimulationOutcome* simulation = nullptr);

  // `chosen` is told the crossover (Hz; 0: the default rule) the user asks
  // the proposal to be designed for.
  void OnCrossoverChosen(std::function<void(double crossover_Hz)> chosen) {
    chosen_ = std::move(chosen);
  }

  ChartView* gain() const { return gain_; }
  ChartView* phase() const { return phase_; }
  QLabel* compensator() const { return compensator_; }
  QLabel* proposal() const { return proposal_; }
  QDoubleSpinBox* crossover() const { return crossover_; }
  QPushButton* design_button() const { return design_; }
  QTableWidget* margins() const { return margins_; }
  ChartView* load_step() const { return load_step_; }
  CompensatorEditor* editor() const { return editor_; }

 private:
  void ShowLoop(const LoopDesign& loop, const LoopSimulation* simulated);
  void ShowLoadStep(const SimulationOutcome* simulation);

  ChartView* gain_;
  ChartView* phase_;
  QLabel* compensator_;
  QLabel* proposal_;
  QDoubleSpinBox* crossover_;
  QPushButton* design_;
  CompensatorEditor* editor_;
  QTableWidget* margins_;
  ChartView* load_step_;
  std::function<void(double crossover_Hz)> chosen_;
};

}  // namespace flyback

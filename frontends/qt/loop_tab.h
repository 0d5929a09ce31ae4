#pragma once

// The tab "Loop" of the design overview: the loop gain and phase of every
// corner against frequency, the compensator's values, and the margins of
// every corner with its warnings, the corner named in its curves' colour.
// It renders the design's one evaluation; a design without an
// opto-regulated loop says so.

#include <QWidget>

#include "chart_view.h"
#include "engine/evaluation/design_evaluation.h"

class QLabel;
class QTableWidget;

namespace flyback {

class LoopTab : public QWidget {
 public:
  explicit LoopTab(QWidget* parent = nullptr);

  void Show(const DesignEvaluation& evaluation);

  ChartView* gain() const { return gain_; }
  ChartView* phase() const { return phase_; }
  QLabel* compensator() const { return compensator_; }
  QTableWidget* margins() const { return margins_; }

 private:
  void ShowLoop(const LoopDesign& loop);

  ChartView* gain_;
  ChartView* phase_;
  QLabel* compensator_;
  QTableWidget* margins_;
};

}  // namespace flyback

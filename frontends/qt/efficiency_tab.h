#pragma once

// The tab "Efficiency" of the design overview: the efficiency against load
// at each input voltage of the map with the rules' limits drawn, and a small
// table of each rule's figures at its mains voltage beside its limits, with
// the verdict. It renders the design's one evaluation.

#include <QWidget>

#include "chart_view.h"
#include "engine/evaluation/design_evaluation.h"

class QTableWidget;

namespace flyback {

class EfficiencyTab : public QWidget {
 public:
  explicit EfficiencyTab(QWidget* parent = nullptr);

  // `simulation`: the comparison of a simulation of the design that has
  // ended, whose load points the chart marks; null: none yet.
  void Show(const DesignEvaluation& evaluation, const SimulationComparison* simulation = nullptr);

  ChartView* chart() const { return chart_; }
  QTableWidget* rules() const { return rules_; }

 private:
  ChartView* chart_;
  QTableWidget* rules_;
};

}  // namespace flyback

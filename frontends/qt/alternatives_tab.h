#pragma once

// The tab "Alternatives" of the design overview (--advise): the core
// adviser's ranking as a sortable table and a chart of the computed
// efficiency against the core volume. The ranking is part of the one
// evaluation of each shown design (a few milliseconds); the tab renders it.

#include <QWidget>

#include "chart_view.h"
#include "design_evaluator.h"

class QTableWidget;

namespace flyback {

class AlternativesTab : public QWidget, public DesignObserver {
 public:
  // `evaluator`: whose evaluation, asked with the ranking, is shown; it
  // outlives the tab.
  explicit AlternativesTab(const DesignEvaluator& evaluator, QWidget* parent = nullptr);

  void DesignShown(const DesignState& design) override;

  QTableWidget* table() const { return table_; }
  ChartView* chart() const { return chart_; }

 private:
  void Show(const CoreAdvice& advice);

  const DesignEvaluator& evaluator_;
  QTableWidget* table_;
  ChartView* chart_;
};

}  // namespace flyback

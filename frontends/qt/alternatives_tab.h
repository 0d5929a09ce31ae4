#pragma once

// The tab "Alternatives" of the design overview (--advise): the core
// adviser's ranking as a sortable table and a chart of the computed
// efficiency against the core volume. The ranking is worked out on a thread
// of the pool, so the dialogue never waits for it; a design shown while one
// is being ranked is ranked next, and only the latest design's ranking is kept.

#include <QFuture>
#include <QFutureWatcher>
#include <QWidget>
#include <optional>

#include "chart_view.h"
#include "engine/adviser/core_ranking.h"
#include "pages/dialogue/design_observer.h"

class QTableWidget;

namespace flyback {

class AlternativesTab : public QWidget, public DesignObserver {
 public:
  // `core_data`: as for AdviseCores; it outlives the tab.
  explicit AlternativesTab(const UserCoreData* core_data, QWidget* parent = nullptr);
  ~AlternativesTab() override;
  AlternativesTab(const AlternativesTab&) = delete;
  AlternativesTab& operator=(const AlternativesTab&) = delete;

  void DesignShown(const DesignState& design) override;

  QTableWidget* table() const { return table_; }
  ChartView* chart() const { return chart_; }
  // Waits until the ranking of the last design shown is on the tab.
  void WaitForRanking();

 private:
  void StartRanking(DesignState design);
  void RankingDone();
  void Show(const CoreAdvice& advice);

  QTableWidget* table_;
  ChartView* chart_;
  const UserCoreData* core_data_;
  QFutureWatcher<CoreAdvice> watcher_;
  std::optional<DesignState> waiting_;  // shown while another design was ranked
};

}  // namespace flyback

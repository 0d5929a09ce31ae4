#include "alternatives_tab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <optional>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "overview_charts.h"

namespace flyback {

namespace {

enum Column { kRank, kCore, kAirgap, kVerdict, kReason, kEfficiency, kRise, kFit, kBmax, kFsntmin };

// A cell that sorts by its number and shows it by the program's number rule
// ("." as the decimal point whatever the desktop's locale), rounded to
// `decimals`; empty where there is none, and such a cell sorts first.
class NumberCell : public QTableWidgetItem {
 public:
  NumberCell(std::optional<double> value, int decimals) : value_(value) {
    if (value) setText(QString::fromStdString(SignedNumberText(RoundTo(*value, decimals))));
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }

  bool operator<(const QTableWidgetItem& other) const override {
    const auto* number = dynamic_cast<const NumberCell*>(&other);
    if (number == nullptr) return QTableWidgetItem::operator<(other);
    if (!value_ || !number->value_) return !value_ && number->value_;
    return *value_ < *number->value_;
  }

 private:
  std::optional<double> value_;
};

QTableWidgetItem* NumberItem(std::optional<double> value, int decimals) {
  return new NumberCell(value, decimals);
}

QTableWidgetItem* TextItem(const std::string& text) {
  return new QTableWidgetItem(QString::fromStdString(text));
}

}  // namespace

AlternativesTab::AlternativesTab(const DesignEvaluator& evaluator, QWidget* parent)
    : QWidget(parent),
      evaluator_(evaluator),
      table_(new QTableWidget(0, kFsntmin + 1, this)),
      chart_(new ChartView(this)) {
  table_->setHorizontalHeaderLabels({QStringLiteral("Rank"), QStringLiteral("Core"),
                                     QStringLiteral("Airgap / mm"), QStringLiteral("Verdict"),
                                     QStringLiteral("Reasons"), QStringLiteral("Efficiency / %"),
                                     QStringLiteral("Rise / K"), QStringLiteral("Fit / %"),
                                     QStringLiteral("Bmax / mT"), QStringLiteral("fsntmin / kHz")});
  table_->verticalHeader()->hide();
  // Rows as high as their text, like the key figures'.
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSortingEnabled(true);
  chart_->Show(AlternativesChart(std::nullopt));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(table_, 3);
  layout->addWidget(chart_, 2);
}

void AlternativesTab::DesignShown(const DesignState& /*design*/) {
  const std::optional<CoreAdvice>& advice = evaluator_.evaluation()->alternatives;
  if (advice) Show(*advice);
}

void AlternativesTab::Show(const CoreAdvice& advice) {
  table_->setSortingEnabled(false);
  table_->setRowCount(static_cast<int>(advice.ranking.size()));
  int row = 0;
  for (const RankedCandidate& ranked : advice.ranking) {
    const CandidateAssessment& a = ranked.assessment;
    const std::optional<CandidateFigures>& f = a.figures;
    table_->setItem(row, kRank, NumberItem(ranked.rank, 0));
    table_->setItem(row, kCore, TextItem(a.candidate.name + (a.present ? " (present)" : "")));
    table_->setItem(row, kAirgap, NumberItem(a.candidate.g_mm, 2));
    table_->setItem(row, kVerdict, TextItem(CandidateVerdictName(ranked.verdict)));
    QTableWidgetItem* reasons = TextItem(JoinedReasons(ranked));
    reasons->setToolTip(reasons->text().replace(QStringLiteral("; "), QStringLiteral("\n")));
    table_->setItem(row, kReason, reasons);
    table_->setItem(row, kEfficiency,
                    NumberItem(f ? std::optional(100 * f->efficiency) : std::nullopt, 1));
    table_->setItem(row, kRise, NumberItem(f ? f->rise_K : std::nullopt, 1));
    table_->setItem(row, kFit, NumberItem(f ? std::optional(100 * f->cf_prod) : std::nullopt, 1));
    table_->setItem(row, kBmax, NumberItem(f ? std::optional(f->Bmax_mT) : std::nullopt, 0));
    table_->setItem(row, kFsntmin, NumberItem(f ? std::optional(f->fsntmin_kHz) : std::nullopt, 2));
    ++row;
  }
  table_->setSortingEnabled(true);
  table_->sortByColumn(kRank, Qt::AscendingOrder);
  table_->resizeColumnsToContents();
  chart_->Show(AlternativesChart(advice));
}

}  // namespace flyback

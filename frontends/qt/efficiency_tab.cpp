#include "efficiency_tab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <optional>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "overview_charts.h"
#include "performance_charts.h"

namespace flyback {

namespace {

enum Column { kRule, kAverage, kTenPercent, kNoLoad, kVerdict };

constexpr double kPercent = 100;
constexpr double kMilliwattsPerWatt = 1000;

// "88.3 % (≥ 87.7 %)": the figure and, where the rule sets one, its limit;
// "–" where the map has no figure.
QTableWidgetItem* AgainstLimit(const std::optional<double>& figure,
                               const std::optional<double>& limit, const char* bound, double factor,
                               int decimals, const char* unit) {
  const auto text = [&](double x) {
    return SignedNumberText(RoundTo(factor * x, decimals)) + unit;
  };
  std::string cell = figure ? text(*figure) : "–";
  if (limit) cell += std::string(" (") + bound + text(*limit) + ")";
  auto* item = new QTableWidgetItem(QString::fromStdString(cell));
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

Verdict VerdictOf(const RuleVerdict& v, bool binding) {
  if (!v.meets || *v.meets) return Verdict::kFine;
  return binding ? Verdict::kError : Verdict::kWarning;
}

}  // namespace

EfficiencyTab::EfficiencyTab(QWidget* parent)
    : QWidget(parent),
      chart_(new ChartView(this)),
      rules_(new QTableWidget(0, kVerdict + 1, this)) {
  chart_->Show(EmptyChart(QStringLiteral("Efficiency")));
  rules_->setHorizontalHeaderLabels({QStringLiteral("Rule"), QStringLiteral("4-point average"),
                                     QStringLiteral("At 10 % load"), QStringLiteral("No load"),
                                     QStringLiteral("Verdict")});
  rules_->verticalHeader()->hide();
  rules_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rules_->setWordWrap(true);
  rules_->setTextElideMode(Qt::ElideNone);
  rules_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  rules_->horizontalHeader()->setSectionResizeMode(kVerdict, QHeaderView::Stretch);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The table's figures beside their limits need about as much width as
  // the chart with its legend.
  layout->addWidget(chart_, 1);
  layout->addWidget(rules_, 1);
}

void EfficiencyTab::Show(const DesignEvaluation& evaluation,
                         const SimulationComparison* simulation) {
  const RulesCheck& rules = evaluation.efficiency_rules;
  chart_->Show(EfficiencyChart(
      evaluation.efficiency_map, rules,
      simulation != nullptr ? simulation->load_points : std::vector<SimulatedLoadPoint>{}));
  // The rules, then the no-load input power at every input voltage of the map.
  const EfficiencyMap& map = evaluation.efficiency_map;
  rules_->setRowCount(static_cast<int>(rules.verdicts.size() + map.rows.size()));
  int row = 0;
  for (const RuleVerdict& v : rules.verdicts) {
    const RuleLimits& l = v.limits;
    rules_->setItem(row, kRule,
                    new QTableWidgetItem(
                        QString::fromStdString(std::string(RuleName(v.rule)) + " at " +
                                               SignedNumberText(RuleMainsVoltage(v.rule)) + " V")));
    rules_->setItem(row, kAverage, AgainstLimit(v.average, l.average_min, "≥ ", kPercent, 1, " %"));
    rules_->setItem(row, kTenPercent,
                    AgainstLimit(v.ten_percent, l.ten_percent_min, "≥ ", kPercent, 1, " %"));
    rules_->setItem(row, kNoLoad,
                    AgainstLimit(v.no_load_W, l.no_load_max_W, "≤ ", kMilliwattsPerWatt, 0, " mW"));
    // The words say the verdict; the colour repeats it.
    auto* item =
        new QTableWidgetItem(QString::fromStdString(VerdictText(v, rules.external_power_supply)));
    item->setForeground(VerdictColour(VerdictOf(v, rules.external_power_supply)));
    rules_->setItem(row, kVerdict, item);
    ++row;
  }
  for (const MapRow& map_row : map.rows) {
    rules_->setItem(
        row, kRule,
        new QTableWidgetItem(QString::fromStdString(SignedNumberText(map_row.voltage.U_input_V) +
                                                    " V, " + map_row.voltage.name)));
    rules_->setItem(row, kAverage,
                    AgainstLimit(FourPointAverage(map_row), std::nullopt, "", kPercent, 1, " %"));
    rules_->setItem(
        row, kTenPercent,
        AgainstLimit(map_row.loads.front().efficiency, std::nullopt, "", kPercent, 1, " %"));
    rules_->setItem(
        row, kNoLoad,
        AgainstLimit(map_row.no_load.P_in_W, std::nullopt, "", kMilliwattsPerWatt, 0, " mW"));
    ++row;
  }
  rules_->resizeRowsToContents();
}

}  // namespace flyback

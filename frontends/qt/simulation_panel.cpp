#include "simulation_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "base/numbers/rounding.h"
#include "chart_parts.h"
#include "chart_view.h"
#include "engine/overview/design_overview.h"
#include "engine/simulation/comparison_table.h"
#include "overview_charts.h"
#include "simulation_charts.h"

namespace flyback {

namespace {

constexpr int kPollInterval_ms = 100;

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

SimulationPanel::SimulationPanel(bool automatic, QWidget* parent, LoadPoints load_points)
    : QWidget(parent),
      automatic_(automatic),
      simulate_(new QPushButton(QStringLiteral("Simulate"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      progress_(new QProgressBar(this)),
      status_(new QLabel(QStringLiteral("No design yet."), this)),
      table_(new QTableWidget(0, static_cast<int>(kComparisonColumns.size()), this)),
      point_(new QComboBox(this)),
      drain_voltage_(new ChartView(this)),
      currents_(new ChartView(this)),
      poll_(new QTimer(this)),
      worker_(
          [this] {
            // On the worker thread: the end is taken on the window's.
            QMetaObject::invokeMethod(
                this, [this] { Ended(); }, Qt::QueuedConnection);
          },
          load_points) {
  simulate_->setEnabled(false);
  cancel_->setEnabled(false);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  status_->setWordWrap(true);
  QStringList columns;
  for (const char* column : kComparisonColumns) columns << QString::fromUtf8(column);
  table_->setHorizontalHeaderLabels(columns);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  point_->addItems(
      {QStringLiteral("lowest input voltage"), QStringLiteral("highest input voltage")});
  drain_voltage_->Show(EmptyChart(QStringLiteral("Drain voltage")));
  currents_->Show(EmptyChart(QStringLiteral("Currents")));

  auto* controls = new QHBoxLayout;
  controls->addWidget(simulate_);
  controls->addWidget(cancel_);
  controls->addWidget(progress_, 1);
  controls->addWidget(new QLabel(QStringLiteral("Waveforms at the"), this));
  controls->addWidget(point_);
  // One chart at a time, at the full height of the tab.
  auto* charts = new QTabWidget(this);
  charts->setTabPosition(QTabWidget::East);
  charts->addTab(currents_, QStringLiteral("Currents"));
  charts->addTab(drain_voltage_, QStringLiteral("Drain voltage"));
  auto* body = new QSplitter(Qt::Horizontal, this);
  body->addWidget(table_);
  body->addWidget(charts);
  body->setStretchFactor(0, 2);
  body->setStretchFactor(1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(status_);
  layout->addWidget(body, 1);

  connect(simulate_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { worker_.Cancel(); });
  connect(point_, &QComboBox::currentIndexChanged, this, [this](int index) { ShowPoint(index); });
  connect(poll_, &QTimer::timeout, this,
          [this] { progress_->setValue(static_cast<int>(100 * worker_.share_done())); });
}

void SimulationPanel::SetDesign(std::shared_ptr<const DesignEvaluation> evaluation) {
  evaluation_ = evaluation;
  // The run of the design before, if one is going, is cancelled and dropped.
  if (!worker_.SetDesign(std::move(evaluation))) return;
  outcome_.reset();
  table_->setRowCount(0);
  drain_voltage_->Show(EmptyChart(QStringLiteral("Drain voltage")));
  currents_->Show(EmptyChart(QStringLiteral("Currents")));
  ShowIdle(0);
  status_->setText(QStringLiteral("Not simulated yet: press Simulate."));
  if (automatic_) Start();
}

void SimulationPanel::Start() {
  if (!evaluation_ || running_) return;
  running_ = true;
  simulate_->setEnabled(false);
  cancel_->setEnabled(true);
  progress_->setValue(0);
  status_->setText(QStringLiteral("Simulating the lowest and the highest input voltage…"));
  poll_->start(kPollInterval_ms);
  worker_.Start();
}

void SimulationPanel::Ended() {
  // None where an earlier call took it, or a newer design dropped it.
  std::optional<RunEnd> end = worker_.TakeEnded();
  if (!end) return;
  if (end->cancelled && !end->outcome.comparison) {
    // The user's cancel is no failure, and a run of this very design that
    // ended before still stands.
    const bool stands = outcome_ && outcome_->comparison;
    ShowIdle(stands ? 100 : 0);
    status_->setText(stands
                         ? QStringLiteral("Cancelled: the last simulation of this design stands.")
                         : QStringLiteral("Cancelled: not simulated."));
  } else {
    ShowIdle(end->outcome.comparison ? 100 : 0);
    outcome_ = std::move(end->outcome);
    ShowOutcome();
  }
  for (const std::function<void()>& done : ended_) done();
}

void SimulationPanel::ShowIdle(int progress_percent) {
  running_ = false;
  poll_->stop();
  cancel_->setEnabled(false);
  simulate_->setEnabled(true);
  progress_->setValue(progress_percent);
}

void SimulationPanel::ShowOutcome() {
  if (!outcome_->comparison) {
    status_->setText(QStringLiteral("Cannot simulate: ") + Text(outcome_->failure));
    return;
  }
  const SimulationComparison& c = *outcome_->comparison;
  table_->setRowCount(static_cast<int>(c.figures.size()));
  for (std::size_t r = 0; r < c.figures.size(); ++r) {
    const ComparedFigure& row = c.figures[r];
    const auto cells = ComparisonCells(row);
    for (std::size_t k = 0; k < cells.size(); ++k) {
      auto* item = new QTableWidgetItem(Text(cells[k]));
      if (row.Outside()) item->setForeground(kWarningColour);
      table_->setItem(static_cast<int>(r), static_cast<int>(k), item);
    }
  }
  table_->resizeColumnsToContents();
  QString text = QStringLiteral("Simulated in ngspice, leakage ") +
                 Number(RoundTo(100 * c.leakage_share, 2)) + QStringLiteral(" % of L_prim: ");
  for (const SimulatedPoint& p : c.points) {
    text += Text(p.name) + " " + Number(RoundTo(p.run_s, 1)) + " s; ";
  }
  text += Text(ComparisonVerdict(c)) + QStringLiteral(".");
  status_->setText(text);
  ShowPoint(point_->currentIndex());
}

void SimulationPanel::ShowPoint(int index) {
  if (!outcome_ || !outcome_->comparison || !evaluation_ || index < 0) return;
  const SimulatedPoint& point = outcome_->comparison->points.at(static_cast<std::size_t>(index));
  drain_voltage_->Show(SimulatedDrainVoltageChart(point, evaluation_->design.inputs.U_D_lim));
  // The calculation at the same bus: the loss budget's operating point.
  const LossBudget& budget = evaluation_->budget;
  const SwitchingPoint& calculated =
      (index == 0 ? budget.lowest_crest : budget.highest_input).switching;
  currents_->Show(SimulatedCurrentsChart(point, WaveformsAt(calculated)));
}

}  // namespace flyback

#include "loop_tab.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "chart_parts.h"
#include "overview_charts.h"
#include "performance_charts.h"
#include "simulation_charts.h"

namespace flyback {

namespace {

enum Column { kCorner, kCrossover, kPhaseMargin, kGainMargin, kWarnings };

constexpr double kPercent = 100;
// The load step's height in lines of text: its title, the axis labels and
// room for the curve between them.
constexpr int kLoadStepMinimumLines = 10;

QString Figure(const std::optional<double>& x, int decimals, const char* unit) {
  if (!x) return QStringLiteral("–");
  return QString::fromStdString(SignedNumberText(RoundTo(*x, decimals)) + unit);
}

QTableWidgetItem* NumberItem(const std::optional<double>& x, int decimals, const char* unit) {
  auto* item = new QTableWidgetItem(Figure(x, decimals, unit));
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

QString PartsText(const OptoCompensator& p) {
  return "R65 " + Figure(p.R_up_kOhm, 1, " kΩ") + ", R_LED " + Figure(p.R_LED_kOhm, 2, " kΩ") +
         ", R_z " + Figure(p.R_z_kOhm, 2, " kΩ") + ", C_z " + Figure(p.C_z_nF, 3, " nF") +
         ", C_pole " + Figure(p.C_pole_nF, 3, " nF");
}

}  // namespace

LoopTab::LoopTab(QWidget* parent)
    : QWidget(parent),
      gain_(new ChartView(this)),
      phase_(new ChartView(this)),
      compensator_(new QLabel(this)),
      proposal_(new QLabel(this)),
      crossover_(new QDoubleSpinBox(this)),
      design_(new QPushButton(QStringLiteral("Design for this crossover"), this)),
      editor_(new CompensatorEditor(this)),
      margins_(new QTableWidget(0, kWarnings + 1, this)),
      load_step_(new ChartView(this)) {
  gain_->Show(EmptyChart(QStringLiteral("Loop gain")));
  phase_->Show(EmptyChart(QStringLiteral("Loop phase")));
  compensator_->setWordWrap(true);
  compensator_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  proposal_->setWordWrap(true);
  proposal_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  crossover_->setRange(0, kHighestLoopCrossover_Hz);
  crossover_->setDecimals(0);
  crossover_->setSuffix(QStringLiteral(" Hz"));
  crossover_->setSpecialValueText(QStringLiteral("default rule"));
  crossover_->setEnabled(false);
  design_->setEnabled(false);
  connect(design_, &QPushButton::clicked, this, [this] {
    if (chosen_) chosen_(crossover_->value());
  });
  auto* crossover_row = new QHBoxLayout;
  crossover_row->addWidget(new QLabel(QStringLiteral("Crossover:"), this));
  crossover_row->addWidget(crossover_);
  crossover_row->addWidget(design_);
  crossover_row->addStretch();
  margins_->setHorizontalHeaderLabels({QStringLiteral("Corner"), QStringLiteral("Crossover"),
                                       QStringLiteral("Phase margin"),
                                       QStringLiteral("Gain margin"), QStringLiteral("Warnings")});
  margins_->verticalHeader()->hide();
  margins_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  margins_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  margins_->horizontalHeader()->setSectionResizeMode(kWarnings, QHeaderView::Stretch);
  margins_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  // The load step below both Bode plots, across their width, once there is
  // one to draw; until then the plots take the whole height.
  auto* bode_row = new QHBoxLayout;
  bode_row->addWidget(gain_);
  bode_row->addWidget(phase_);
  auto* charts = new QVBoxLayout;
  charts->addLayout(bode_row, 3);
  charts->addWidget(load_step_, 2);
  load_step_->setMinimumHeight(kLoadStepMinimumLines * fontMetrics().height());
  load_step_->hide();
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(charts, 0, 0, 5, 1);
  layout->addWidget(compensator_, 0, 1);
  layout->addWidget(proposal_, 1, 1);
  layout->addLayout(crossover_row, 2, 1);
  layout->addWidget(editor_, 3, 1);
  layout->addWidget(margins_, 4, 1);
  layout->setRowStretch(4, 1);
  layout->setColumnStretch(0, 4);
  layout->setColumnStretch(1, 3);
}

void LoopTab::Show(const DesignEvaluation& evaluation, const SimulationOutcome* simulation) {
  ShowLoadStep(simulation);
  if (evaluation.loop && !evaluation.loop->corners.empty()) {
    ShowLoop(*evaluation.loop,
             simulation != nullptr && simulation->loop ? &*simulation->loop : nullptr);
    return;
  }
  gain_->Show(NewChart(QStringLiteral("Loop gain: no opto-regulated loop"), false));
  phase_->Show(NewChart(QStringLiteral("Loop phase: no opto-regulated loop"), false));
  const std::string_view reason = LoopNotModelledReason(evaluation.design);
  compensator_->setText(QStringLiteral("No loop to show: ") +
                        QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size())) +
                        QStringLiteral("."));
  proposal_->clear();
  crossover_->setEnabled(false);
  design_->setEnabled(false);
  editor_->Disable();
  margins_->setRowCount(0);
}

void LoopTab::ShowLoadStep(const SimulationOutcome* simulation) {
  const bool stepped =
      simulation != nullptr && simulation->comparison && simulation->comparison->load_step;
  if (stepped) load_step_->Show(LoadStepChart(*simulation->comparison->load_step));
  load_step_->setVisible(stepped);
}

void LoopTab::ShowLoop(const LoopDesign& loop, const LoopSimulation* simulated) {
  // ngspice runs the component list's compensator: its points do not belong
  // on the curves of one set by hand. The proposal's runs are the
  // proposal's whatever the curves.
  const bool curves_simulated = !loop.parts_chosen;
  gain_->Show(BodeChart(loop, BodeQuantity::kGain, simulated, curves_simulated));
  phase_->Show(BodeChart(loop, BodeQuantity::kPhase, simulated, curves_simulated));
  QString simulation_note;
  if (simulated != nullptr) {
    simulation_note =
        curves_simulated ? QStringLiteral(" Markers: ngspice's .ac points of the simulated corners")
                         : QStringLiteral(
                               " ngspice's .ac points of the component list's compensator are "
                               "not drawn");
    simulation_note += simulated->proposed_parts == loop.compensator.rounded
                           ? QStringLiteral("; filled squares: the proposal's parts there.")
                           : QStringLiteral("; those of an earlier proposal are not drawn.");
  }
  compensator_->setText(QString::fromUtf8(loop.parts_chosen ? "Compensator set by hand"
                                                            : "The component list's compensator") +
                        " (the curves and the margins): " + PartsText(loop.parts) +
                        ". Dashed: the least CTR." + simulation_note);
  const CompensatorDesign& d = loop.compensator;
  proposal_->setText("Proposed for a crossover at " + Figure(d.crossover_Hz, 0, " Hz") +
                     " and a phase margin of " + Figure(d.phase_margin_deg, 0, "°") +
                     " (E24): " + PartsText(d.rounded) + ".");
  crossover_->setEnabled(true);
  design_->setEnabled(true);
  editor_->Show(loop);
  margins_->setRowCount(static_cast<int>(loop.corners.size()));
  int row = 0;
  for (const LoopCorner& c : loop.corners) {
    auto* corner = new QTableWidgetItem(
        QString::fromStdString(std::string(c.line) + ", " +
                               SignedNumberText(RoundTo(kPercent * c.load_share, 0)) + " %, CTR " +
                               SignedNumberText(RoundTo(c.CTR, 2))) +
        (CornerDashed(loop, c) ? QStringLiteral(" (dashed)") : QString()));
    corner->setForeground(CornerColour(loop, c));
    margins_->setItem(row, kCorner, corner);
    margins_->setItem(row, kCrossover, NumberItem(c.margins.crossover_Hz, 0, " Hz"));
    margins_->setItem(row, kPhaseMargin, NumberItem(c.margins.phase_margin_deg, 1, "°"));
    margins_->setItem(row, kGainMargin, NumberItem(c.margins.gain_margin_dB, 1, " dB"));
    QString warnings;
    for (const LoopWarning w : c.warnings) {
      if (!warnings.isEmpty()) warnings += QStringLiteral("; ");
      warnings += QString::fromStdString(std::string(LoopWarningText(w)));
    }
    auto* item =
        new QTableWidgetItem(warnings.isEmpty() ? VerdictText(Verdict::kFine)
                                                : VerdictText(Verdict::kWarning) + ": " + warnings);
    item->setForeground(VerdictColour(warnings.isEmpty() ? Verdict::kFine : Verdict::kWarning));
    margins_->setItem(row, kWarnings, item);
    ++row;
  }
}

}  // namespace flyback

#include "overview_window.h"

#include <QChart>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/checks/design_checks.h"
#include "overview_charts.h"
#include "window_geometry.h"

namespace flyback {

namespace {

// Pixels at 96 dpi, scaled like Form1 by the screen's logical dpi.
constexpr QSize kOverviewSize{1100, 760};
constexpr QSize kChartMinimumSize{360, 260};
constexpr int kGap = 8;  // between Form1 and the overview

ChartView* NewChartView(QWidget* parent, QChart* chart) {
  auto* view = new ChartView(parent);
  view->Show(chart);
  view->setMinimumSize(Scaled(kChartMinimumSize, ScreenScale(parent->screen())));
  return view;
}

}  // namespace

OverviewWindow::OverviewWindow()
    : key_figures_(new QTableWidget(0, 4, this)),
      findings_(new QListWidget(this)),
      output_windows_(NewChartView(this, EmptyChart(QStringLiteral("Output voltages")))),
      currents_(NewChartView(this, EmptyChart(QStringLiteral("Currents")))),
      sweep_(NewChartView(this, SweepChart(std::nullopt))) {
  setWindowTitle(QStringLiteral("Design overview"));
  // The program ends with Form1, whether or not the overview is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(Scaled(kOverviewSize, ScreenScale(screen())));
  key_figures_->setHorizontalHeaderLabels({QStringLiteral("Figure"), QStringLiteral("Value"),
                                           QStringLiteral("Limit"), QStringLiteral("Check")});
  key_figures_->verticalHeader()->hide();
  key_figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* figures = new QWidget(this);
  auto* figures_layout = new QVBoxLayout(figures);
  figures_layout->setContentsMargins(0, 0, 0, 0);
  figures_layout->addWidget(new QLabel(QStringLiteral("Key figures and their limits"), figures));
  figures_layout->addWidget(key_figures_, 3);
  figures_layout->addWidget(new QLabel(QStringLiteral("Design checks"), figures));
  figures_layout->addWidget(findings_, 1);
  auto* grid = new QGridLayout(this);
  grid->addWidget(figures, 0, 0);
  grid->addWidget(output_windows_, 0, 1);
  grid->addWidget(currents_, 1, 0);
  grid->addWidget(sweep_, 1, 1);
}

void OverviewWindow::ShowBeside(const QWidget& form) {
  if (!placed_) {
    placed_ = true;
    const QRect frame = form.frameGeometry();
    QPoint corner = frame.topRight() + QPoint(Scaled(kGap, ScreenScale(form.screen())), 0);
    // Where the screen is too narrow, the overview covers Form1's right part.
    if (const QScreen* screen = form.screen()) {
      const QRect room = screen->availableGeometry();
      corner.setX(std::max(room.left(), std::min(corner.x(), room.right() - width())));
    }
    move(corner);
  }
  show();
  raise();
}

void OverviewWindow::DesignShown(const DesignState& design) {
  const std::vector<Finding> checks = CheckDesign(design);
  ShowKeyFigures(*key_figures_, KeyFigures(design, checks));
  findings_->clear();
  for (const Finding& finding : checks) {
    const Verdict verdict = VerdictOf(finding.severity);
    auto* item =
        new QListWidgetItem(VerdictText(verdict) + ": " + QString::fromStdString(finding.message));
    item->setForeground(VerdictColour(verdict));
    findings_->addItem(item);
  }
  if (checks.empty()) {
    auto* item =
        new QListWidgetItem(VerdictText(Verdict::kFine) + QStringLiteral(": every check holds"));
    item->setForeground(VerdictColour(Verdict::kFine));
    findings_->addItem(item);
  }
  output_windows_->Show(OutputWindowsChart(OutputBars(design, checks)));
  currents_->Show(WaveformsChart(Waveforms(design)));
}

void OverviewWindow::OptimizationFinished(const SweepPoint& best, double chosen_Bmax) {
  OptimizationRecorder::OptimizationFinished(best, chosen_Bmax);
  sweep_->Show(SweepChart(last_optimization()));
}

bool OverviewKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    overview_.ShowBeside(form_);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace flyback

#include "overview_window.h"

#include <QApplication>
#include <QChart>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "engine/checks/design_checks.h"
#include "engine/evaluation/report_input.h"
#include "engine/overview/loss_overview.h"
#include "flyback_version.h"
#include "overview_charts.h"
#include "window_geometry.h"

namespace flyback {

namespace {

// Pixels at 96 dpi, scaled like Form1 by the screen's logical dpi.
constexpr QSize kOverviewSize{1100, 760};
constexpr QSize kChartMinimumSize{360, 260};
constexpr int kGap = 8;  // between Form1 and the overview
// The key figures' narrowest: the names and the verdicts whole beside the
// values and the limits of the demonstration designs in two lines at most.
constexpr int kFiguresMinimumWidth = 380;

// The figure's name and the verdict as wide as their texts, the value and
// the limit (the longest texts) sharing the rest of the table: where the
// window is narrow they are broken between their words, the row as high as
// its lines. Nothing is cut, and nothing needs scrolling sideways.
void ShowWholeColumns(QTableWidget& table) {
  QHeaderView& columns = *table.horizontalHeader();
  columns.setSectionResizeMode(QHeaderView::ResizeToContents);
  columns.setSectionResizeMode(1, QHeaderView::Stretch);
  columns.setSectionResizeMode(2, QHeaderView::Stretch);
  // The rows follow the widths the columns are given: a limit broken into
  // lines while the window was laid out stands in one line again.
  QObject::connect(&columns, &QHeaderView::sectionResized, &table,
                   [&table] { table.resizeRowsToContents(); });
  table.setWordWrap(true);
  table.setTextElideMode(Qt::ElideNone);
}

ChartView* NewChartView(QWidget* parent, QChart* chart) {
  auto* view = new ChartView(parent);
  view->Show(chart);
  view->setMinimumSize(Scaled(kChartMinimumSize, ScreenScale(parent->screen())));
  return view;
}

}  // namespace

OverviewWindow::OverviewWindow(const DesignEvaluator& evaluator, bool simulate,
                               LoadPoints load_points)
    : scroll_(new QScrollArea(this)),
      content_(new QWidget),
      key_figures_(new QTableWidget(0, 4, this)),
      findings_(new QListWidget(this)),
      output_windows_(NewChartView(this, EmptyChart(QStringLiteral("Output voltages")))),
      currents_(NewChartView(this, EmptyChart(QStringLiteral("Currents")))),
      losses_(NewChartView(this, EmptyChart(QStringLiteral("Where the watts go")))),
      efficiency_(new EfficiencyTab(this)),
      loop_(new LoopTab(this)),
      sweep_(NewChartView(this, SweepChart(std::nullopt))),
      simulation_(new SimulationPanel(simulate, this, load_points)),
      lower_tabs_(new QTabWidget(this)),
      save_report_(new DesignReportAction(this)),
      evaluator_(evaluator) {
  setWindowTitle(QStringLiteral("Design overview"));
  // The program ends with Form1, whether or not the overview is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(Scaled(kOverviewSize, ScreenScale(screen())));
  key_figures_->setHorizontalHeaderLabels({QStringLiteral("Figure"), QStringLiteral("Value"),
                                           QStringLiteral("Limit"), QStringLiteral("Check")});
  key_figures_->verticalHeader()->hide();
  // Rows as high as their text: the loss figures follow the design's.
  key_figures_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  key_figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShowWholeColumns(*key_figures_);
  findings_->setWordWrap(true);
  findings_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
  auto* figures = new QWidget(this);
  auto* figures_layout = new QVBoxLayout(figures);
  figures_layout->setContentsMargins(0, 0, 0, 0);
  figures_layout->addWidget(new QLabel(QStringLiteral("Key figures and their limits"), figures));
  figures_layout->addWidget(key_figures_, 3);
  figures_layout->addWidget(new QLabel(QStringLiteral("Design checks"), figures));
  figures_layout->addWidget(findings_, 1);
  auto* save_report = new QToolButton(figures);
  save_report->setDefaultAction(save_report_);
  figures_layout->addWidget(save_report);
  // The key figures get the width their texts need; the chart beside them
  // the rest.
  figures->setMinimumWidth(Scaled(kFiguresMinimumWidth, ScreenScale(screen())));
  // On a screen too low for the whole overview beside the question dialog
  // it scrolls, rather than squeeze its charts until their labels are cut.
  auto* grid = new QGridLayout(content_);
  grid->addWidget(figures, 0, 0);
  grid->addWidget(output_windows_, 0, 1);
  grid->setColumnStretch(0, 1);
  // The lower charts share the width of the window, one at a time: the
  // losses' bars need it for their values and the names of the losses.
  lower_tabs_->addTab(losses_, QStringLiteral("Where the watts go"));
  lower_tabs_->addTab(efficiency_, QStringLiteral("Efficiency"));
  lower_tabs_->addTab(loop_, QStringLiteral("Loop"));
  lower_tabs_->addTab(currents_, QStringLiteral("Currents"));
  lower_tabs_->addTab(sweep_, QStringLiteral("Optimization"));
  lower_tabs_->addTab(simulation_, QStringLiteral("Simulation"));
  simulation_->OnEnded([this] { SimulationEnded(); });
  grid->addWidget(lower_tabs_, 1, 0, 1, 2);
  scroll_->setWidget(content_);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->viewport()->installEventFilter(this);
  auto* whole = new QVBoxLayout(this);
  whole->setContentsMargins(0, 0, 0, 0);
  whole->addWidget(scroll_);
}

void OverviewWindow::ShowBeside(QWidget& form, Stacking stacking) {
  // The place depends on the borders the window manager draws, which are
  // known once a window is on the screen: first Form1's (--overview asks
  // while Form1 is not there yet), then the overview's own, which may be
  // larger (a grip for resizing along the bottom).
  if (!placed_) {
    QWindow* form_window = form.windowHandle();
    if (form_window != nullptr && !form_window->isExposed()) {
      stacking_ = stacking;
      AwaitExposure(*form_window, form);
      return;
    }
    PlaceBeside(form, BorderAround(form));
  }
  show();
  if (stacking == Stacking::kInFront) {
    raise();
    KeepQuestionInFront();
  } else {
    form.raise();
  }
  if (waiting_for_ == nullptr && !windowHandle()->isExposed()) AwaitExposure(*windowHandle(), form);
}

void OverviewWindow::AwaitExposure(QWindow& window, QWidget& form) {
  waiting_for_ = &form;
  window.installEventFilter(this);
}

bool OverviewWindow::eventFilter(QObject* watched, QEvent* event) {
  // The content fills the view down to its own minimum, below which it
  // scrolls. (A scroll area that resizes its widget itself gives it the
  // height its word-wrapped labels prefer, and scrolls on a high screen.)
  if (watched == scroll_->viewport() && event->type() == QEvent::Resize) {
    content_->resize(scroll_->viewport()->size().expandedTo(content_->minimumSizeHint()));
  }
  auto* window = qobject_cast<QWindow*>(watched);
  if (waiting_for_ != nullptr && window != nullptr && event->type() == QEvent::Expose &&
      window->isExposed()) {
    window->removeEventFilter(this);
    QWidget& form = *std::exchange(waiting_for_, nullptr);
    if (window == windowHandle()) {
      PlaceBeside(form, BorderAround(*this));
    } else {
      ShowBeside(form, stacking_);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void OverviewWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) KeepQuestionInFront();
  QWidget::changeEvent(event);
}

void OverviewWindow::KeepQuestionInFront() {
  QWidget* question = QApplication::activeModalWidget();
  if (question != nullptr && question->frameGeometry().intersects(frameGeometry())) {
    question->raise();
  }
}

void OverviewWindow::PlaceBeside(const QWidget& form, const QMargins& border) {
  const QScreen* screen = form.screen();
  if (screen == nullptr) return;
  placed_ = true;
  const double scale = ScreenScale(screen);
  const QSize minimum = minimumSizeHint();
  const WindowPlace place =
      OverviewPlace(screen->availableGeometry(), form.frameGeometry(),
                    DialogFrame(screen->geometry(), border, scale), Scaled(kOverviewSize, scale),
                    minimum, border, Scaled(kGap, scale));
  setMinimumWidth(std::min(minimum.width(), place.size.width()));
  resize(place.size);
  move(place.corner);
}

QSize OverviewWindow::minimumSizeHint() const {
  // As wide as the content needs, which never scrolls sideways; at least as
  // high as the key figures and the output windows need, below which it
  // scrolls.
  const QMargins margins = content_->layout()->contentsMargins();
  return {content_->minimumSizeHint().width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent),
          output_windows_->minimumHeight() + margins.top() + margins.bottom()};
}

void OverviewWindow::AddLowerTab(QWidget* tab, const QString& title) {
  lower_tabs_->addTab(tab, title);
}

void OverviewWindow::DesignShown(const DesignState& /*design*/) {
  shown_ = evaluator_.evaluation();
  const DesignState& design = shown_->design;
  const std::vector<Finding>& checks = shown_->findings;
  std::vector<KeyFigure> figures = KeyFigures(design, checks);
  for (KeyFigure& figure : LossKeyFigures(design.inputs, shown_->budget, checks)) {
    figures.push_back(std::move(figure));
  }
  ShowKeyFigures(*key_figures_, figures);
  ShowFindings(checks);
  output_windows_->Show(OutputWindowsChart(OutputBars(design, checks)));
  currents_->Show(WaveformsChart(Waveforms(design)));
  losses_->Show(LossesChart(WhereTheWattsGo(shown_->budget)));
  efficiency_->Show(*shown_);
  // A design whose stage is the one simulated keeps the simulation's outcome.
  simulation_->SetDesign(shown_);
  ShowLoop();
  UpdateReport(checks);
}

void OverviewWindow::ShowFindings(const std::vector<Finding>& checks) {
  findings_->clear();
  for (const Finding& finding : checks) {
    const Verdict verdict = VerdictOf(finding.severity);
    // The code names the finding as the design file and its documents do.
    auto* item =
        new QListWidgetItem(VerdictText(verdict) + ": " +
                            QString::fromStdString(finding.message + " (" + finding.code + ")"));
    item->setForeground(VerdictColour(verdict));
    findings_->addItem(item);
  }
  if (checks.empty()) {
    auto* item =
        new QListWidgetItem(VerdictText(Verdict::kFine) + QStringLiteral(": every check holds"));
    item->setForeground(VerdictColour(Verdict::kFine));
    findings_->addItem(item);
  }
}

void OverviewWindow::SimulationEnded() {
  // The tab the user looks at stays: a run ends while they work elsewhere,
  // and a tab bar that moves sends the next click into a table.
  const std::optional<SimulationOutcome>& outcome = simulation_->outcome();
  if (!outcome || !outcome->comparison || !shown_) return;
  const std::vector<Finding> checks = FindingsWithSimulation(
      *shown_, &*outcome->comparison, outcome->loop ? &*outcome->loop : nullptr);
  ShowFindings(checks);
  ShowLoop();
  efficiency_->Show(*shown_, &*outcome->comparison);
  UpdateReport(checks);
}

void OverviewWindow::ShowLoop() {
  const std::optional<SimulationOutcome>& outcome = simulation_->outcome();
  loop_->Show(*shown_, outcome ? &*outcome : nullptr);
}

void OverviewWindow::ComponentsDimensioned(const DesignState& /*design*/) {
  // The report takes the parts list in, and the simulation the output
  // capacitors the list has chosen: a run of the design before them is no
  // longer the design's.
  shown_ = evaluator_.evaluation();
  // The loop's output capacitors are the list's.
  simulation_->SetDesign(shown_);
  ShowLoop();
  UpdateReport(shown_->findings);
}

void OverviewWindow::UpdateReport(const std::vector<Finding>& findings) {
  DesignReportInput input =
      ReportInputOf(*shown_, findings, last_optimization(), std::string("flyback-gui ") + kVersion);
  const std::optional<SimulationOutcome>& outcome = simulation_->outcome();
  if (outcome && outcome->comparison) input.simulation = &*outcome->comparison;
  if (outcome && outcome->loop) input.loop_simulation = &*outcome->loop;
  save_report_->Update(input);
}

void OverviewWindow::OptimizationFinished(const SweepPoint& best, double chosen_Bmax) {
  OptimizationRecorder::OptimizationFinished(best, chosen_Bmax);
  sweep_->Show(SweepChart(last_optimization()));
  // The user has just run it.
  lower_tabs_->setCurrentWidget(sweep_);
}

bool OverviewKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    overview_.ShowBeside(form_);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace flyback

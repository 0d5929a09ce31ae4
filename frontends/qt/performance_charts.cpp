#include "performance_charts.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "chart_parts.h"

namespace flyback {

namespace {

constexpr double kPercent = 100;
constexpr double kAverageFrom_percent = 25;
constexpr double kTenPercent = 10;
constexpr double kBarHalfWidth_percent = 3;
constexpr double kPhaseLimit_deg = -180;

// One colour per input voltage of the map, the lowest first.
const QColor kRowColours[] = {QColor(31, 95, 168), QColor(192, 90, 0), QColor(42, 138, 58),
                              QColor(122, 58, 160)};

QString Rounded(double x, int decimals) {
  return QString::fromStdString(SignedNumberText(RoundTo(x, decimals)));
}

QLineSeries* DashedLine(const QString& name, const QColor& colour) {
  QLineSeries* line = Line(name, colour, 1.5);
  QPen pen = line->pen();
  pen.setStyle(Qt::DashLine);
  line->setPen(pen);
  return line;
}

void AddLimits(QChart& chart, const RulesCheck& rules, QValueAxis* x, QValueAxis* y) {
  for (const LimitLine& limit : AverageLimitLines(rules.verdicts)) {
    const double eta = kPercent * limit.efficiency;
    QLineSeries* line =
        DashedLine(QString::fromStdString(limit.rules) + ": average ≥ " + Rounded(eta, 1) + " %",
                   kErrorColour);
    line->append(kAverageFrom_percent, eta);
    line->append(kPercent, eta);
    Attach(chart, line, x, y);
  }
  for (const LimitLine& limit : TenPercentLimitLines(rules.verdicts)) {
    const double eta = kPercent * limit.efficiency;
    QLineSeries* bar =
        DashedLine(QString::fromStdString(limit.rules) + ": at 10 % ≥ " + Rounded(eta, 1) + " %",
                   kWarningColour);
    bar->append(kTenPercent - kBarHalfWidth_percent, eta);
    bar->append(kTenPercent + kBarHalfWidth_percent, eta);
    Attach(chart, bar, x, y);
  }
}

// The whole turns (°) between `run`'s simulated phase and the analytic curve
// of its corner at the run's first point: both are continuous, but may
// start a turn apart, and the markers belong on the curve they confirm.
double PhaseTurns_deg(const LoopCorner& corner, const std::vector<BodePoint>& run) {
  const BodePoint& first = run.front();
  const auto analytic = std::ranges::find_if(
      corner.bode, [&first](const BodePoint& p) { return p.f_Hz >= first.f_Hz; });
  if (analytic == corner.bode.end()) return 0;
  return 360 * std::round((analytic->loop.phase_deg - first.loop.phase_deg) / 360);
}

// The simulated points of every run of `runs` that gave them, each in the
// colour of its corner among `corners` (the curves' or the proposal's,
// whose analytic phase picks the turn); the legend names the first of them
// `name`, the margins table the corners by their colours. Whether any were
// drawn.
bool AddRunPoints(QChart& chart, const LoopDesign& loop,
                  const std::vector<SimulatedLoopCorner>& runs,
                  const std::vector<LoopCorner>& corners, const QString& name,
                  QScatterSeries::MarkerShape shape, bool gain, QAbstractAxis* x,
                  QAbstractAxis* y) {
  constexpr double kMarkerSize = 6;
  constexpr double kMarkersPerDecade = 8;
  bool named = false;
  for (const SimulatedLoopCorner& s : runs) {
    const std::vector<BodePoint>& run = s.comparison.simulated;
    if (!s.failure.empty() || run.empty() || s.corner >= corners.size()) continue;
    const LoopCorner& corner = corners[s.corner];
    QScatterSeries* points = Markers(name, CornerColour(loop, corner), kMarkerSize);
    points->setMarkerShape(shape);
    // Hollow circles let the curve they stand on show through.
    if (shape == QScatterSeries::MarkerShapeCircle) points->setColor(Qt::white);
    const double turns_deg = gain ? 0 : PhaseTurns_deg(corner, run);
    // The sweep's points lie too close on a plot this size to be told
    // apart from the curve: at most kMarkersPerDecade of them are drawn.
    double last_drawn_Hz = 0;
    for (const BodePoint& p : run) {
      if (last_drawn_Hz > 0 && std::log10(p.f_Hz / last_drawn_Hz) < 1.0 / kMarkersPerDecade) {
        continue;
      }
      last_drawn_Hz = p.f_Hz;
      points->append(p.f_Hz, gain ? p.loop.gain_dB : p.loop.phase_deg + turns_deg);
    }
    Attach(chart, points, x, y);
    for (QLegendMarker* marker : chart.legend()->markers(points)) marker->setVisible(!named);
    named = true;
  }
  return named;
}

// The runs of `simulated`: those of the curves' parts as hollow circles
// over their curves (where `curves_simulated`), the proposal's as filled
// squares where they ran the proposal `loop` holds; the legend names the
// two kinds of marker and nothing else.
void AddSimulatedPoints(QChart& chart, const LoopDesign& loop, const LoopSimulation& simulated,
                        bool curves_simulated, bool gain, QAbstractAxis* x, QAbstractAxis* y) {
  for (QLegendMarker* marker : chart.legend()->markers()) marker->setVisible(false);
  const bool curves =
      curves_simulated &&
      AddRunPoints(chart, loop, simulated.corners, loop.corners, QStringLiteral("ngspice"),
                   QScatterSeries::MarkerShapeCircle, gain, x, y);
  const bool proposal = simulated.proposed_parts == loop.compensator.rounded &&
                        AddRunPoints(chart, loop, simulated.proposed, loop.proposed_corners,
                                     QStringLiteral("ngspice, the proposal's parts"),
                                     QScatterSeries::MarkerShapeRectangle, gain, x, y);
  chart.legend()->setVisible(curves || proposal);
}

}  // namespace

QColor CornerColour(const LoopDesign& loop, const LoopCorner& corner) {
  constexpr double kLight = 0.3;
  constexpr double kHalf = 0.7;
  const int hue = corner.load_share < kLight ? 30 : (corner.load_share < kHalf ? 130 : 215);
  const bool later_line_end = corner.line != loop.corners.front().line;
  return QColor::fromHsv(hue, 200, later_line_end ? 120 : 225);
}

bool CornerDashed(const LoopDesign& loop, const LoopCorner& corner) {
  return corner.CTR < loop.design_CTR;
}

QChart* EfficiencyChart(const EfficiencyMap& map, const RulesCheck& rules,
                        const std::vector<SimulatedLoadPoint>& simulated) {
  if (map.rows.empty()) return NewChart(QStringLiteral("Efficiency: no design yet"), false);
  QChart* chart = NewChart(QStringLiteral("Efficiency against load at each input voltage"), true);
  chart->legend()->setAlignment(Qt::AlignRight);
  double lowest = kPercent;
  double highest = 0;
  for (const MapRow& row : map.rows) {
    for (const MapPoint& point : row.loads) {
      lowest = std::min(lowest, kPercent * point.efficiency);
      highest = std::max(highest, kPercent * point.efficiency);
    }
  }
  for (const SimulatedLoadPoint& p : simulated) {
    if (!p.efficiency) continue;
    lowest = std::min(lowest, kPercent * *p.efficiency);
    highest = std::max(highest, kPercent * *p.efficiency);
  }
  for (const RuleVerdict& v : rules.verdicts) {
    for (const std::optional<double>& limit : {v.limits.average_min, v.limits.ten_percent_min}) {
      if (limit) lowest = std::min(lowest, kPercent * *limit);
      if (limit) highest = std::max(highest, kPercent * *limit);
    }
  }
  QValueAxis* x =
      ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("load / % of P_out_max"), 0, kPercent);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("efficiency / %"),
                            std::isfinite(lowest) ? lowest - 1 : 0,
                            std::isfinite(highest) ? std::min(kPercent, highest + 1) : kPercent);
  std::size_t index = 0;
  for (const MapRow& row : map.rows) {
    const QColor& colour = kRowColours[index++ % std::size(kRowColours)];
    QLineSeries* line = Line(
        QString::fromStdString(SignedNumberText(row.voltage.U_input_V) + " V, " + row.voltage.name),
        colour, 2);
    line->setPointsVisible(true);
    for (const MapPoint& point : row.loads) {
      line->append(kPercent * point.load, kPercent * point.efficiency);
    }
    Attach(*chart, line, x, y);
  }
  if (std::any_of(simulated.begin(), simulated.end(),
                  [](const SimulatedLoadPoint& p) { return p.efficiency.has_value(); })) {
    QScatterSeries* markers = Markers(QStringLiteral("simulated (ngspice)"), Qt::black, 9);
    for (const SimulatedLoadPoint& p : simulated) {
      if (p.efficiency) markers->append(kPercent * p.load, kPercent * *p.efficiency);
    }
    Attach(*chart, markers, x, y);
  }
  AddLimits(*chart, rules, x, y);
  return chart;
}

QChart* BodeChart(const LoopDesign& loop, BodeQuantity quantity, const LoopSimulation* simulated,
                  bool curves_simulated) {
  const bool gain = quantity == BodeQuantity::kGain;
  QChart* chart = NewChart(gain ? QStringLiteral("Loop gain of every corner")
                                : QStringLiteral("Loop phase of every corner"),
                           false);
  auto* x = new QLogValueAxis;
  x->setTitleText(QStringLiteral("f / Hz"));
  x->setBase(10);
  x->setLabelFormat(QStringLiteral("%g"));
  x->setRange(loop.f_low_Hz, loop.f_high_Hz > loop.f_low_Hz ? loop.f_high_Hz : 10 * loop.f_low_Hz);
  x->setMinorTickCount(8);
  chart->addAxis(x, Qt::AlignBottom);
  const double reference = gain ? 0 : kPhaseLimit_deg;
  double lowest = reference;
  double highest = reference;
  for (const LoopCorner& corner : loop.corners) {
    for (const BodePoint& p : corner.bode) {
      const double value = gain ? p.loop.gain_dB : p.loop.phase_deg;
      if (!std::isfinite(value)) continue;
      lowest = std::min(lowest, value);
      highest = std::max(highest, value);
    }
  }
  QValueAxis* y =
      ValueAxis(*chart, Qt::AlignLeft,
                gain ? QStringLiteral("gain / dB") : QStringLiteral("phase / °"), lowest, highest);
  for (const LoopCorner& corner : loop.corners) {
    const QString name = QString::fromStdString(std::string(corner.line)) + ", " +
                         Rounded(kPercent * corner.load_share, 0) + " %, CTR " +
                         Rounded(corner.CTR, 2);
    QLineSeries* line = Line(name, CornerColour(loop, corner), 1.5);
    if (CornerDashed(loop, corner)) {
      QPen pen = line->pen();
      pen.setStyle(Qt::DashLine);
      line->setPen(pen);
    }
    for (const BodePoint& p : corner.bode) {
      line->append(p.f_Hz, gain ? p.loop.gain_dB : p.loop.phase_deg);
    }
    Attach(*chart, line, x, y);
  }
  QLineSeries* limit = Line(gain ? QStringLiteral("0 dB") : QStringLiteral("−180°"), Qt::black, 1);
  limit->append(x->min(), reference);
  limit->append(x->max(), reference);
  Attach(*chart, limit, x, y);
  if (simulated != nullptr) {
    AddSimulatedPoints(*chart, loop, *simulated, curves_simulated, gain, x, y);
  }
  return chart;
}

}  // namespace flyback

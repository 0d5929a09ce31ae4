#include "simulation_charts.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <vector>

#include "base/numbers/rounding.h"
#include "chart_parts.h"

namespace flyback {

namespace {

const QColor kSecondaryColour(200, 110, 20);

QString Title(const QString& what, const SimulatedPoint& point) {
  return what + QStringLiteral(", bus ") + Number(RoundTo(point.figures.U_bus_V, 1)) +
         QStringLiteral(" V");
}

double Largest(const std::vector<double>& values) {
  return values.empty() ? 1 : std::max(1e-9, *std::ranges::max_element(values));
}

QLineSeries* Series(const QString& name, const QColor& colour, const std::vector<double>& t,
                    const std::vector<double>& y) {
  QLineSeries* series = Line(name, colour, 1.5);
  for (std::size_t i = 0; i < t.size(); ++i) series->append(t[i], y[i]);
  return series;
}

QLineSeries* Dashed(const QString& name, const QColor& colour,
                    const std::vector<WaveformPoint>& points) {
  QLineSeries* series = Line(name, colour, 1.5);
  QPen pen = series->pen();
  pen.setStyle(Qt::DashLine);
  series->setPen(pen);
  for (const WaveformPoint& point : points) series->append(point.t_us, point.I_A);
  return series;
}

QLineSeries* Edge(const QString& name, double t_ms, const QValueAxis& y) {
  QLineSeries* edge = Line(name, Qt::darkGray, 1);
  QPen pen = edge->pen();
  pen.setStyle(Qt::DashLine);
  edge->setPen(pen);
  edge->append(t_ms, y.min());
  edge->append(t_ms, y.max());
  return edge;
}

}  // namespace

QChart* SimulatedDrainVoltageChart(const SimulatedPoint& point, double U_D_lim_V) {
  const WaveformExcerpt& e = point.figures.excerpt;
  QChart* chart = NewChart(Title(QStringLiteral("Drain voltage"), point), true);
  const double span_us = e.time_us.empty() ? 1 : e.time_us.back();
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("t / µs"), 0, span_us);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("U / V"), 0,
                            1.05 * std::max(U_D_lim_V, Largest(e.drain_V)));
  Attach(
      *chart,
      Series(QStringLiteral("drain, peak ") + Number(RoundTo(point.figures.U_D_peak_V, 1)) + " V",
             kDesignPointColour, e.time_us, e.drain_V),
      x, y);
  QLineSeries* limit = Line(QStringLiteral("U_D_lim ") + Number(U_D_lim_V) + " V", kErrorColour, 1);
  limit->append(0, U_D_lim_V);
  limit->append(span_us, U_D_lim_V);
  Attach(*chart, limit, x, y);
  return chart;
}

QChart* SimulatedCurrentsChart(const SimulatedPoint& point, const CurrentWaveforms& calculated) {
  const WaveformExcerpt& e = point.figures.excerpt;
  // A legend marker shows a series' colour, not its dashes: the legend names
  // the two currents by their colours, the title the two kinds of line.
  QChart* chart = NewChart(QStringLiteral("<b>") + Title(QStringLiteral("Currents"), point) +
                               QStringLiteral("</b><br>solid: simulated, dashed: calculated"),
                           true);
  const double span_us = e.time_us.empty() ? 1 : e.time_us.back();
  double peak = std::max(Largest(e.primary_A), Largest(e.reflected_A));
  for (const WaveformPoint& p : calculated.primary) peak = std::max(peak, p.I_A);
  QValueAxis* x = ValueAxis(*chart, Qt::AlignBottom, QStringLiteral("t / µs"), 0, span_us);
  QValueAxis* y = ValueAxis(
      *chart, Qt::AlignLeft, QStringLiteral("I / A"),
      e.primary_A.empty() ? 0 : std::min(0.0, *std::ranges::min_element(e.primary_A)), 1.05 * peak);
  Attach(*chart, Series(QStringLiteral("drain"), kDesignPointColour, e.time_us, e.primary_A), x, y);
  Attach(*chart, Series(QStringLiteral("secondaries"), kSecondaryColour, e.time_us, e.reflected_A),
         x, y);
  for (QLineSeries* series :
       {Dashed(QStringLiteral("drain, calculated"), kDesignPointColour, calculated.primary),
        Dashed(QStringLiteral("secondaries, calculated"), kSecondaryColour,
               calculated.secondary)}) {
    Attach(*chart, series, x, y);
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
  }
  return chart;
}

QChart* LoadStepChart(const LoadStepResponse& r) {
  constexpr double kMillisecondsPerSecond = 1e3;
  // No legend: the title says which line is which, and the chart keeps its
  // height for the curve.
  QChart* chart = NewChart(
      QStringLiteral("Output 1 across the load step (ngspice); dashed: the load's edges"), false);
  const std::vector<double>& U = r.window_average_V;
  double lowest = r.U_regulated_V;
  double highest = r.U_regulated_V;
  for (const double U_V : U) {
    lowest = std::min(lowest, U_V);
    highest = std::max(highest, U_V);
  }
  // The time axis ends with the last average, so that the curve runs to the
  // plot's right edge.
  const double last_s = r.window_end_s.empty() ? r.times.end_s : r.window_end_s.back();
  QValueAxis* x = ExactValueAxis(*chart, Qt::AlignBottom, QStringLiteral("t / ms"), 0,
                                 kMillisecondsPerSecond * last_s);
  QValueAxis* y = ValueAxis(*chart, Qt::AlignLeft, QStringLiteral("U1 / V"), lowest, highest);
  // A low chart: three labels fit beside it where five would be cut short.
  y->setTickCount(3);
  QLineSeries* average = Line(QStringLiteral("averaged over each period"), kDesignPointColour, 1.5);
  for (std::size_t i = 0; i < U.size(); ++i) {
    average->append(kMillisecondsPerSecond * r.window_end_s[i], U[i]);
  }
  Attach(*chart, average, x, y);
  Attach(*chart, Edge(QStringLiteral("load to 50 %"), kMillisecondsPerSecond * r.times.down_s, *y),
         x, y);
  Attach(*chart, Edge(QStringLiteral("load to 100 %"), kMillisecondsPerSecond * r.times.up_s, *y),
         x, y);
  return chart;
}

}  // namespace flyback

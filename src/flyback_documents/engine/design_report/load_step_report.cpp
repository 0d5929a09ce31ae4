#include "engine/design_report/load_step_report.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/design_report/svg_plot.h"

namespace flyback {

namespace {

constexpr double kMillisecondsPerSecond = 1e3;
constexpr double kPercent = 100;
// Half the page's width beside the table, and low: the section is kept
// whole on the last page.
constexpr double kChartWidth_px = 320;
constexpr double kChartHeight_px = 130;
constexpr double kChartLeft_px = 48;

Html Volts(double U_V) {
  NoteFigure(U_V);
  return Html::Text(Rounded(U_V, 3) + " V");
}

Html SignedVolts(double U_V) {
  return (U_V > 0 ? Html("+") : Html()) + Volts(U_V);
}

Html Milliseconds(double t_s) {
  NoteFigure(t_s);
  return Html::Text(Rounded(kMillisecondsPerSecond * t_s, 3) + " ms");
}

// The plotted averages, from their least to their greatest, widened by a
// tenth of their span (by the band where they are flat) so that the curve
// stays off the frame.
AxisRange VoltageRange(const LoadStepResponse& r) {
  const auto [low, high] = std::ranges::minmax(r.window_average_V);
  const double margin_V =
      high > low ? (high - low) / 10 : kLoadStepBand * std::max(r.U_regulated_V, 1.0);
  return {low - margin_V, high + margin_V};
}

Html LoadStepSvg(const LoadStepResponse& r) {
  const SvgPlot plot(kChartWidth_px, kChartHeight_px, kChartLeft_px,
                     {0, kMillisecondsPerSecond * r.times.end_s}, VoltageRange(r));
  std::vector<std::pair<double, double>> points;
  points.reserve(r.window_end_s.size());
  for (std::size_t i = 0; i < r.window_end_s.size(); ++i) {
    points.emplace_back(kMillisecondsPerSecond * r.window_end_s[i], r.window_average_V[i]);
  }
  Html body = plot.Axes("t in ms", "U1 in V");
  body += plot.VerticalLine(kMillisecondsPerSecond * r.times.down_s, "load-edge");
  body += plot.VerticalLine(kMillisecondsPerSecond * r.times.up_s, "load-edge");
  body += plot.Polyline(points, "load-step");
  return plot.Svg("Output 1 across the load step", body);
}

}  // namespace

HtmlTable LoadStepTable(const LoadStepResponse& r) {
  HtmlTable table{"simulation",
                  {"Load step", "Before", "After", "Extreme", "Deviation",
                   Html::Text("Settled within " + Rounded(kPercent * kLoadStepBand, 0) + " %")},
                  {}};
  for (const LoadStepEdge& e : r.edges) {
    table.rows.push_back(
        {Html::Text(e.name), Volts(e.U_before_V), Volts(e.U_after_V), Volts(e.U_extreme_V),
         SignedVolts(e.deviation_V),
         e.settling_s ? Milliseconds(*e.settling_s)
                      : Element("span", "not within " + Milliseconds(r.times.up_s - r.times.down_s),
                                "outside")});
  }
  return table;
}

Html LoadStepHtml(const SimulationComparison& c) {
  if (!c.load_step_failure.empty()) {
    const std::string& why = c.load_step_failure;
    return Element("p",
                   "Load step not simulated: " + Html::Text(why) +
                       (why.ends_with('.') ? Html() : Html(".")),
                   "notes") +
           "\n";
  }
  if (!c.load_step) return {};
  const LoadStepResponse& r = *c.load_step;
  const Html notes =
      "Output 1 (" + Volts(r.U_regulated_V) +
      " calculated) with the design's own loop at the lowest input voltage, every output's "
      "load from 100 % to 50 % and back; averaged over each switching period, settled "
      "voltages over the last " +
      Html::Text(std::to_string(kSettledWindows)) + " periods of each part.";
  return Element("div",
                 "\n" + ChartFigure(LoadStepSvg(r), "The load's edges dashed.") +
                     Element("div", "\n" + TableHtml(LoadStepTable(r)) +
                                        Element("p", notes, "notes") + "\n") +
                     "\n",
                 "side-by-side") +
         "\n";
}

}  // namespace flyback

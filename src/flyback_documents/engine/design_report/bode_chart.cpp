#include "engine/design_report/bode_chart.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/design_report/html_text.h"
#include "engine/design_report/svg_plot.h"

namespace flyback {

namespace {

constexpr double kWidth_px = 318;  // two beside each other in the report's 640 px
constexpr double kHeight_px = 170;
constexpr double kLeft_px = 36;
constexpr double kPhaseLimit_deg = -180;

AxisRange Decades(const std::vector<BodePoint>& bode) {
  if (bode.empty()) return {1, 2};
  return {std::log10(bode.front().f_Hz), std::log10(bode.back().f_Hz)};
}

enum class Quantity { kGain, kPhase };

// One of the two charts: the gain or the phase of each point against the
// frequency, the 0 dB or −180° line, and the crossover marked where the
// gain crosses 0 dB.
Html BodePanel(const LoopCorner& corner, Quantity quantity) {
  const bool gain = quantity == Quantity::kGain;
  const double reference = gain ? 0 : kPhaseLimit_deg;
  AxisRange y{reference, reference};
  std::vector<std::pair<double, double>> points;
  for (const BodePoint& p : corner.bode) {
    const double v = gain ? p.loop.gain_dB : p.loop.phase_deg;
    NoteFigure(v);
    y = {std::min(y.min, v), std::max(y.max, v)};
    points.emplace_back(std::log10(p.f_Hz), v);
  }
  const double step = TickStep(y.max - y.min, 5);
  y = {std::floor(y.min / step) * step, std::ceil(y.max / step) * step};
  const AxisRange x = Decades(corner.bode);
  const SvgPlot plot(kWidth_px, kHeight_px, kLeft_px, x, y);
  Html body = plot.DecadeAxes("f in Hz", gain ? "loop gain in dB" : "loop phase in °");
  body += plot.Polyline({{x.min, reference}, {x.max, reference}}, "limit");
  body += plot.Polyline(points, "bode");
  const LoopMargins& m = corner.margins;
  if (m.crossover_Hz) {
    const double f = std::log10(*m.crossover_Hz);
    body += plot.VerticalLine(f, "chosen");
    // At the crossover the gain is 0 dB and the phase the margin above −180°.
    if (gain) body += plot.Marker(f, 0, 3, "crossover");
    if (!gain && m.phase_margin_deg) {
      body += plot.Marker(f, kPhaseLimit_deg + *m.phase_margin_deg, 3, "crossover");
    }
  }
  return plot.Svg(gain ? "Loop gain against frequency" : "Loop phase against frequency", body);
}

}  // namespace

Html BodeSvg(const LoopCorner& corner) {
  return BodePanel(corner, Quantity::kGain) + BodePanel(corner, Quantity::kPhase);
}

}  // namespace flyback

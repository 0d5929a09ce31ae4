#include "engine/design_report/report_charts.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "engine/design_report/html_text.h"
#include "engine/design_report/svg_plot.h"

namespace flyback {

namespace {

constexpr double kChartWidth_px = 640;

const char* VerdictClass(Verdict verdict) {
  switch (verdict) {
    case Verdict::kError:
      return "error";
    case Verdict::kWarning:
      return "warning";
    case Verdict::kFine:
      break;
  }
  return "fine";
}

// Where the voltage lies outside its window and what the checks say, in
// words: a print in black and white keeps it.
std::string Remark(const OutputBar& bar) {
  std::string remark = bar.in_window ? "" : "outside";
  if (bar.verdict != Verdict::kFine) {
    remark += std::string(remark.empty() ? "" : ", ") + VerdictClass(bar.verdict);
  }
  return remark.empty() ? "" : " (" + remark + ")";
}

std::vector<std::pair<double, double>> Points(const std::vector<WaveformPoint>& waveform) {
  std::vector<std::pair<double, double>> points;
  points.reserve(waveform.size());
  for (const WaveformPoint& p : waveform) points.emplace_back(p.t_us, p.I_A);
  return points;
}

}  // namespace

Html OutputWindowsSvg(const std::vector<OutputBar>& bars) {
  // The window of every output spans the same width; the actual voltage sits
  // where it lies in it, up to half a window outside on either side.
  constexpr double kRow_px = 22;
  constexpr double kLabel_px = 80;
  constexpr double kValues_px = 190;
  const double height = 14 + kRow_px * static_cast<double>(bars.size());
  const double scale = kChartWidth_px - kLabel_px - kValues_px;
  const auto x = [&](double position) { return kLabel_px + (position + 0.5) / 2 * scale; };
  Html body;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const OutputBar& bar = bars[i];
    const double top = 8 + kRow_px * static_cast<double>(i);
    body += SvgText(4, top + 13, bar.name, "start");
    body += "<rect class=\"range\" x=\"" + Px(x(-0.5)) + "\" y=\"" + Px(top + 7) + "\" width=\"" +
            Px(scale) + "\" height=\"4\"/>\n";
    body += "<rect class=\"window\" x=\"" + Px(x(0)) + "\" y=\"" + Px(top + 2) + "\" width=\"" +
            Px(x(1) - x(0)) + "\" height=\"14\"/>\n";
    body += "<circle class=\"" + Html::Text(VerdictClass(bar.verdict)) + "\" cx=\"" +
            Px(x(bar.position)) + "\" cy=\"" + Px(top + 9) + "\" r=\"5\"/>\n";
    body += SvgText(kChartWidth_px - kValues_px + 8, top + 13,
                    Significant(bar.Umin) + " V to " + Significant(bar.Umax) +
                        " V: " + Rounded(bar.Uact, 2) + " V" + Remark(bar),
                    "start");
  }
  const SvgPlot frame(kChartWidth_px, height, 0, {}, {});
  return frame.Svg("Voltage window and actual voltage of every output", body);
}

Html CurrentWaveformsSvg(const CurrentWaveforms& waveforms) {
  double I_max = 0;
  for (const WaveformPoint& p : waveforms.primary) I_max = std::max(I_max, p.I_A);
  // px; lower than the other charts, so that the loss budget with its
  // clamp row stays on the page of the winding sheet.
  constexpr double kCurrentsHeight_px = 180;
  const SvgPlot plot(kChartWidth_px, kCurrentsHeight_px, 44, {0, waveforms.period_us},
                     {0, 1.1 * I_max});
  Html body = plot.Axes("t in µs", "I in A");
  body += plot.Polyline(Points(waveforms.primary), "primary");
  body += plot.Polyline(Points(waveforms.secondary), "secondary");
  body += SvgText(plot.X(waveforms.period_us) - 4, plot.Y(1.05 * I_max),
                  "drain current, " + Rounded(waveforms.I_prim_rms_A, 2) + " A rms", "end",
                  "primary-label");
  body += SvgText(
      plot.X(waveforms.period_us) - 4, plot.Y(0.95 * I_max),
      "secondary current referred to the primary, " + Rounded(waveforms.I_sec_rms_A, 2) + " A rms",
      "end", "secondary-label");
  return plot.Svg("Currents over one switching period", body);
}

Html OptimizationSweepSvg(const OptimizationRecord& record) {
  AxisRange B{record.start_Bmax, record.start_Bmax};
  AxisRange rating{0, 0};
  for (const SweepPoint& step : record.steps) {
    B = {std::min(B.min, step.Bmax), std::max(B.max, step.Bmax)};
    rating.max = std::max(rating.max, step.cf_prod);
  }
  // px; half the report's width, beside the caption and the best row.
  constexpr double kSweepWidth_px = 320;
  constexpr double kSweepHeight_px = 120;
  constexpr double kSweepLeft_px = 36;
  const SvgPlot plot(kSweepWidth_px, kSweepHeight_px, kSweepLeft_px, B, {0, 1.1 * rating.max});
  Html body = plot.Axes("Bmax in mT", "accuracy product");
  std::vector<std::pair<double, double>> steps;
  steps.reserve(record.steps.size());
  for (const SweepPoint& step : record.steps) steps.emplace_back(step.Bmax, step.cf_prod);
  body += plot.Polyline(steps, "sweep");
  for (const SweepPoint& row : record.rows) body += plot.Marker(row.Bmax, row.cf_prod, 3, "row");
  if (record.best) body += plot.Marker(record.best->Bmax, record.best->cf_prod, 5, "best");
  if (record.chosen_Bmax) body += plot.VerticalLine(*record.chosen_Bmax, "chosen");
  return plot.Svg("Accuracy of the output voltages over Bmax", body);
}

}  // namespace flyback

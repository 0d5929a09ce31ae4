#include "engine/simulation/load_step_response.h"

#include <algorithm>
#include <cmath>

#include "engine/simulation/waveform_windows.h"

namespace flyback {

namespace {

// The windows' averages from `from_s` to `to_s`, one period each.
WindowAverages AveragesOver(const SimulatedWaveforms& w, const std::vector<double>& U,
                            double from_s, double to_s, double period_s) {
  WindowAverages a;
  const int windows = static_cast<int>(std::floor((to_s - from_s) / period_s + 1e-9));
  for (int i = 0; i < windows; ++i) {
    const double start_s = from_s + i * period_s;
    const Window win = WindowOf(w.time_s, start_s, start_s + period_s);
    if (win.last <= win.first) continue;
    a.end_s.push_back(start_s + period_s);
    a.U_V.push_back(Average(w.time_s, win, [&U](std::size_t k) { return U[k]; }));
  }
  return a;
}

double MeanOfLast(const std::vector<double>& x, std::size_t count) {
  const std::size_t n = std::min(count, x.size());
  double sum = 0;
  for (std::size_t i = x.size() - n; i < x.size(); ++i) sum += x[i];
  return sum / static_cast<double>(n);
}

// The edge at `edge_s` with the part before it (`before`) and after it
// (`after`); `rise` of the load: its extreme is a minimum.
LoadStepEdge EdgeOf(std::string name, const WindowAverages& before, const WindowAverages& after,
                    double edge_s, bool rise, double band_V) {
  LoadStepEdge e;
  e.name = std::move(name);
  e.U_before_V = MeanOfLast(before.U_V, kSettledWindows);
  e.U_after_V = MeanOfLast(after.U_V, kSettledWindows);
  e.U_extreme_V =
      rise ? *std::ranges::min_element(after.U_V) : *std::ranges::max_element(after.U_V);
  e.deviation_V = e.U_extreme_V - e.U_after_V;
  const std::size_t last = after.U_V.size();
  const std::size_t tail = std::min<std::size_t>(kSettledWindows, last);
  const auto [low, high] = std::ranges::minmax(
      std::vector<double>(after.U_V.end() - static_cast<std::ptrdiff_t>(tail), after.U_V.end()));
  if (high - low > band_V) return e;
  double settled_s = edge_s;
  for (std::size_t i = 0; i < last; ++i) {
    if (std::abs(after.U_V[i] - e.U_after_V) > band_V) settled_s = after.end_s[i];
  }
  e.settling_s = settled_s - edge_s;
  return e;
}

// The least group of neighbouring windows that keeps the plot of `parts`
// within kLoadStepPlotPoints, each part grouped on its own.
std::size_t PlotGroup(const std::vector<const WindowAverages*>& parts) {
  for (std::size_t group = 1;; ++group) {
    std::size_t points = 0;
    for (const WindowAverages* part : parts) points += (part->U_V.size() + group - 1) / group;
    if (points <= kLoadStepPlotPoints) return group;
  }
}

}  // namespace

WindowAverages GroupedWindows(const WindowAverages& windows, std::size_t group) {
  WindowAverages grouped;
  for (std::size_t first = 0; first < windows.U_V.size(); first += group) {
    const std::size_t end = std::min(first + group, windows.U_V.size());
    double sum = 0;
    for (std::size_t i = first; i < end; ++i) sum += windows.U_V[i];
    grouped.end_s.push_back(windows.end_s[end - 1]);
    grouped.U_V.push_back(sum / static_cast<double>(end - first));
  }
  return grouped;
}

std::optional<LoadStepResponse> MeasureLoadStep(const SimulatedWaveforms& waves,
                                                const SpiceRun& run, double U_regulated_V) {
  if (!run.load_step || waves.time_s.empty() || waves.windings.size() < 2) return std::nullopt;
  const LoadStepTimes& t = *run.load_step;
  // A run cut short ends before the load step's end.
  if (waves.time_s.back() < t.end_s * (1 - 1e-6)) return std::nullopt;
  const std::vector<double>& U = waves.windings[1].output_V;
  const WindowAverages start = AveragesOver(waves, U, 0, t.down_s, run.period_s);
  const WindowAverages half = AveragesOver(waves, U, t.down_s, t.up_s, run.period_s);
  const WindowAverages full = AveragesOver(waves, U, t.up_s, t.end_s, run.period_s);
  if (start.U_V.empty() || half.U_V.empty() || full.U_V.empty()) return std::nullopt;
  LoadStepResponse r;
  r.U_regulated_V = U_regulated_V;
  r.times = t;
  const double band_V = kLoadStepBand * U_regulated_V;
  r.edges.push_back(EdgeOf("100 % to 50 %", start, half, t.down_s, false, band_V));
  r.edges.push_back(EdgeOf("50 % to 100 %", half, full, t.up_s, true, band_V));
  const std::vector<const WindowAverages*> parts = {&start, &half, &full};
  const std::size_t group = PlotGroup(parts);
  for (const WindowAverages* part : parts) {
    const WindowAverages plotted = GroupedWindows(*part, group);
    r.window_end_s.insert(r.window_end_s.end(), plotted.end_s.begin(), plotted.end_s.end());
    r.window_average_V.insert(r.window_average_V.end(), plotted.U_V.begin(), plotted.U_V.end());
  }
  return r;
}

}  // namespace flyback

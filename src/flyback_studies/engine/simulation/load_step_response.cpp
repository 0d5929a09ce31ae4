#include "engine/simulation/load_step_response.h"

#include <algorithm>
#include <cmath>

#include "engine/simulation/waveform_windows.h"

namespace flyback {

namespace {

// The windows' averages from `from_s` to `to_s`, one period each.
struct Averages {
  std::vector<double> end_s;
  std::vector<double> U_V;
};

Averages AveragesOver(const SimulatedWaveforms& w, const std::vector<double>& U, double from_s,
                      double to_s, double period_s) {
  Averages a;
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
LoadStepEdge EdgeOf(std::string name, const Averages& before, const Averages& after, double edge_s,
                    bool rise, double band_V) {
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

}  // namespace

std::optional<LoadStepResponse> MeasureLoadStep(const SimulatedWaveforms& waves,
                                                const SpiceRun& run, double U_regulated_V) {
  if (!run.load_step || waves.time_s.empty() || waves.windings.size() < 2) return std::nullopt;
  const LoadStepTimes& t = *run.load_step;
  // A run cut short ends before the load step's end.
  if (waves.time_s.back() < t.end_s * (1 - 1e-6)) return std::nullopt;
  const std::vector<double>& U = waves.windings[1].output_V;
  const Averages start = AveragesOver(waves, U, 0, t.down_s, run.period_s);
  const Averages half = AveragesOver(waves, U, t.down_s, t.up_s, run.period_s);
  const Averages full = AveragesOver(waves, U, t.up_s, t.end_s, run.period_s);
  if (start.U_V.empty() || half.U_V.empty() || full.U_V.empty()) return std::nullopt;
  LoadStepResponse r;
  r.U_regulated_V = U_regulated_V;
  r.times = t;
  const double band_V = kLoadStepBand * U_regulated_V;
  r.edges.push_back(EdgeOf("100 % to 50 %", start, half, t.down_s, false, band_V));
  r.edges.push_back(EdgeOf("50 % to 100 %", half, full, t.up_s, true, band_V));
  for (const Averages* part : {&start, &half, &full}) {
    r.window_end_s.insert(r.window_end_s.end(), part->end_s.begin(), part->end_s.end());
    r.window_average_V.insert(r.window_average_V.end(), part->U_V.begin(), part->U_V.end());
  }
  return r;
}

}  // namespace flyback

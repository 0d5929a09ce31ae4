#include "engine/simulation/operating_point_figures.h"

#include <algorithm>
#include <cstddef>

#include "engine/simulation/output_settling.h"
#include "engine/simulation/waveform_windows.h"

namespace flyback {

namespace {

// Points of a chart excerpt.
constexpr int kExcerptPoints = 400;

double Highest(const std::vector<double>& x, Window win) {
  return *std::max_element(x.begin() + static_cast<std::ptrdiff_t>(win.first),
                           x.begin() + static_cast<std::ptrdiff_t>(win.last) + 1);
}

double Lowest(const std::vector<double>& x, Window win) {
  return *std::min_element(x.begin() + static_cast<std::ptrdiff_t>(win.first),
                           x.begin() + static_cast<std::ptrdiff_t>(win.last) + 1);
}

// x at time t, linear between the time points.
double At(const std::vector<double>& time_s, const std::vector<double>& x, double t) {
  const auto after = std::ranges::upper_bound(time_s, t);
  if (after == time_s.begin()) return x.front();
  if (after == time_s.end()) return x.back();
  const auto i = static_cast<std::size_t>(after - time_s.begin());
  const double share = (t - time_s[i - 1]) / (time_s[i] - time_s[i - 1]);
  return x[i - 1] + share * (x[i] - x[i - 1]);
}

WaveformExcerpt ExcerptOf(const SimulatedWaveforms& w, double from_s, double to_s) {
  WaveformExcerpt e;
  e.winding_A.resize(w.windings.size());
  for (int k = 0; k < kExcerptPoints; ++k) {
    const double t = from_s + (to_s - from_s) * k / (kExcerptPoints - 1);
    e.time_us.push_back((t - from_s) * 1e6);
    e.drain_V.push_back(At(w.time_s, w.drain_V, t));
    e.primary_A.push_back(At(w.time_s, w.primary_A, t));
    double reflected_A = 0;
    for (std::size_t j = 0; j < w.windings.size(); ++j) {
      const double I_A = At(w.time_s, w.windings[j].current_A, t);
      e.winding_A[j].push_back(I_A);
      reflected_A += w.windings[j].turns_ratio * I_A;
    }
    e.reflected_A.push_back(reflected_A);
  }
  return e;
}

}  // namespace

std::optional<OperatingPointFigures> MeasureOperatingPoint(const SimulatedWaveforms& w,
                                                           std::string& why) {
  const std::vector<double> on = TurnOnTimes(w.time_s, w.gate);
  if (on.size() < 2) {
    why = "the switch turned on fewer than two times";
    return std::nullopt;
  }
  OperatingPointFigures f;
  f.U_bus_V = w.U_bus_V;
  f.periods = std::min(kMeasuredPeriods, static_cast<int>(on.size()) - 1);
  const double from_s = on[on.size() - 1 - static_cast<std::size_t>(f.periods)];
  const double to_s = on.back();
  const Window win = WindowOf(w.time_s, from_s, to_s);
  const auto average = [&](const std::vector<double>& x) {
    return Average(w.time_s, win, [&x](std::size_t i) { return x[i]; });
  };
  for (const SimulatedWinding& winding : w.windings) {
    const std::vector<double>& u = winding.output_V;
    const double P_W =
        Average(w.time_s, win, [&u](std::size_t i) { return u[i] * u[i]; }) / winding.load_ohm;
    f.outputs.push_back({winding.winding, average(u), Highest(u, win) - Lowest(u, win), P_W});
    if (winding.winding != 0) f.P_out_W += P_W;
  }
  f.I_D_peak_A = Highest(w.primary_A, win);
  f.U_D_peak_V = Highest(w.drain_V, win);
  f.f_sw_kHz = f.periods / (to_s - from_s) / 1e3;
  f.P_in_W = -w.U_bus_V * average(w.bus_A);
  f.efficiency = f.P_out_W / f.P_in_W;
  const auto excerpt_from =
      on[on.size() - 1 - static_cast<std::size_t>(std::min(kExcerptPeriods, f.periods))];
  f.excerpt = ExcerptOf(w, excerpt_from, to_s);
  std::vector<const std::vector<double>*> outputs_V;
  for (const SimulatedWinding& winding : w.windings) outputs_V.push_back(&winding.output_V);
  const Settling settling = SettlingAtEnd(w.time_s, w.gate, outputs_V);
  f.periods_simulated = settling.periods;
  f.settled = settling.settled;
  return f;
}

}  // namespace flyback

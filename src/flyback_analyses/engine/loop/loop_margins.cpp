#include "engine/loop/loop_margins.h"

#include <cmath>
#include <cstddef>

namespace flyback {

namespace {

constexpr int kBisectionSteps = 40;

// The frequency between f_a and f_b (log-spaced bisection) where `value`
// changes sign; value(f_a) and value(f_b) have opposite signs.
double Bisect(const std::function<double(double)>& value, double f_a, double f_b) {
  const bool a_positive = value(f_a) > 0;
  for (int i = 0; i < kBisectionSteps; ++i) {
    const double f_mid = std::sqrt(f_a * f_b);
    if ((value(f_mid) > 0) == a_positive) {
      f_a = f_mid;
    } else {
      f_b = f_mid;
    }
  }
  return std::sqrt(f_a * f_b);
}

}  // namespace

std::vector<BodePoint> SweepLoop(const LoopResponse& loop, double f_low_Hz, double f_high_Hz,
                                 int points_per_decade) {
  const double decades = std::log10(f_high_Hz / f_low_Hz);
  const int steps = std::max(1, static_cast<int>(std::ceil(decades * points_per_decade)));
  std::vector<BodePoint> sweep;
  sweep.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double f = f_low_Hz * std::pow(10, decades * i / steps);
    sweep.push_back({f, loop(f)});
  }
  return sweep;
}

LoopMargins MarginsOf(const std::vector<BodePoint>& sweep, const LoopResponse& loop) {
  LoopMargins m;
  const auto gain = [&loop](double f) { return loop(f).gain_dB; };
  const auto phase_above = [&loop](double f) { return loop(f).phase_deg + 180; };
  for (std::size_t i = 1; i < sweep.size(); ++i) {
    const BodePoint& a = sweep[i - 1];
    const BodePoint& b = sweep[i];
    if ((a.loop.gain_dB > 0) != (b.loop.gain_dB > 0)) {
      ++m.crossings;
      if (!m.crossover_Hz) {
        m.crossover_Hz = Bisect(gain, a.f_Hz, b.f_Hz);
        m.phase_margin_deg = 180 + loop(*m.crossover_Hz).phase_deg;
      }
    }
    if (!m.phase_180_Hz && (a.loop.phase_deg > -180) != (b.loop.phase_deg > -180)) {
      m.phase_180_Hz = Bisect(phase_above, a.f_Hz, b.f_Hz);
      m.gain_margin_dB = -loop(*m.phase_180_Hz).gain_dB;
    }
  }
  return m;
}

}  // namespace flyback

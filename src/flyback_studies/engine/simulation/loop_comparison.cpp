#include "engine/simulation/loop_comparison.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

constexpr double kComparedCrossovers = 2;  // the range ends at twice the crossover
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

// The simulated points in dB and degrees, the phase made continuous along
// the sweep (ngspice gives it within ±180°).
std::vector<BodePoint> Unwrapped(const std::vector<SimulatedLoopPoint>& sim) {
  std::vector<BodePoint> points;
  points.reserve(sim.size());
  for (const SimulatedLoopPoint& p : sim) {
    double phase_deg = kDegreesPerRadian * std::arg(p.T);
    if (!points.empty()) {
      const double previous = points.back().loop.phase_deg;
      phase_deg += 360 * std::round((previous - phase_deg) / 360);
    }
    points.push_back({p.f_Hz, {20 * std::log10(std::abs(p.T)), phase_deg}});
  }
  return points;
}

// The simulated loop between its points, linear in log f: the margins are
// read from it the way the analytic ones are.
GainPhase Interpolated(const std::vector<BodePoint>& points, double f_Hz) {
  const auto above = std::ranges::lower_bound(points, f_Hz, {}, &BodePoint::f_Hz);
  if (above == points.begin()) return points.front().loop;
  if (above == points.end()) return points.back().loop;
  const BodePoint& a = *(above - 1);
  const BodePoint& b = *above;
  const double share = std::log(f_Hz / a.f_Hz) / std::log(b.f_Hz / a.f_Hz);
  return {a.loop.gain_dB + share * (b.loop.gain_dB - a.loop.gain_dB),
          a.loop.phase_deg + share * (b.loop.phase_deg - a.loop.phase_deg)};
}

}  // namespace

std::string FrequencyText(double f_Hz) {
  if (f_Hz >= 1000) return NumberText(RoundTo(f_Hz / 1000, f_Hz >= 10000 ? 1 : 2)) + " kHz";
  return NumberText(RoundTo(f_Hz, f_Hz >= 100 ? 0 : 1)) + " Hz";
}

std::string CornerText(const LoopCorner& corner) {
  return std::string(corner.line) + ", " + NumberText(RoundTo(100 * corner.load_share, 0)) +
         " % load, CTR " + NumberText(RoundTo(corner.CTR, 2));
}

LoopComparison CompareLoop(const LoopCorner& corner, const LoopResponse& analytic,
                           const std::vector<SimulatedLoopPoint>& sim) {
  LoopComparison c;
  c.simulated = Unwrapped(sim);
  const std::vector<BodePoint>& points = c.simulated;
  c.simulated_margins = MarginsOf(points, [&points](double f) { return Interpolated(points, f); });
  c.compared_to_Hz = corner.margins.crossover_Hz
                         ? kComparedCrossovers * *corner.margins.crossover_Hz
                         : points.back().f_Hz;
  for (const BodePoint& p : points) {
    if (p.f_Hz > c.compared_to_Hz) break;
    const GainPhase a = analytic(p.f_Hz);
    const double gain_dB = p.loop.gain_dB - a.gain_dB;
    // Both phases are continuous, but may start a turn apart.
    const double phase_deg = std::remainder(p.loop.phase_deg - a.phase_deg, 360);
    if (std::abs(gain_dB) > std::abs(c.gain_difference_dB)) {
      c.gain_difference_dB = gain_dB;
      c.gain_difference_at_Hz = p.f_Hz;
    }
    if (std::abs(phase_deg) > std::abs(c.phase_difference_deg)) {
      c.phase_difference_deg = phase_deg;
      c.phase_difference_at_Hz = p.f_Hz;
    }
  }
  c.agrees = std::abs(c.gain_difference_dB) <= kLoopGainTolerance_dB &&
             std::abs(c.phase_difference_deg) <= kLoopPhaseTolerance_deg;
  return c;
}

std::string LoopDisagreementText(const LoopCorner& corner, const LoopComparison& c) {
  if (c.agrees) return "";
  return CornerText(corner) + ": the simulated loop gain differs by " +
         SignedNumberText(RoundTo(c.gain_difference_dB, 2)) + " dB at " +
         FrequencyText(c.gain_difference_at_Hz) + " and by " +
         SignedNumberText(RoundTo(c.phase_difference_deg, 1)) + "° at " +
         FrequencyText(c.phase_difference_at_Hz) +
         " from the analytic (tolerance ±1 dB, ±5°, up to " + FrequencyText(c.compared_to_Hz) + ")";
}

}  // namespace flyback

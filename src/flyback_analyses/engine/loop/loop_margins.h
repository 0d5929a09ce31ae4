#pragma once

// The loop gain of one corner swept over frequency, and the margins read
// from it: where the gain crosses 0 dB (each crossing, from above or below),
// the phase margin at the first crossing, the gain margin where the phase
// first reaches −180°.

#include <functional>
#include <optional>
#include <vector>

#include "engine/loop/bode_terms.h"

namespace flyback {

struct BodePoint {
  double f_Hz = 0;
  GainPhase loop;
};

struct LoopMargins {
  int crossings = 0;
  std::optional<double> crossover_Hz;      // the first crossing; none without one
  std::optional<double> phase_margin_deg;  // 180° + phase at the first crossing
  std::optional<double> phase_180_Hz;      // none where the phase stays above −180°
  std::optional<double> gain_margin_dB;    // −gain there
};

using LoopResponse = std::function<GainPhase(double f_Hz)>;

// points_per_decade points a decade from f_low_Hz to f_high_Hz, both ends
// included.
std::vector<BodePoint> SweepLoop(const LoopResponse& loop, double f_low_Hz, double f_high_Hz,
                                 int points_per_decade);

// The margins of `sweep`, each crossing refined on `loop` between the two
// points that bracket it.
LoopMargins MarginsOf(const std::vector<BodePoint>& sweep, const LoopResponse& loop);

}  // namespace flyback

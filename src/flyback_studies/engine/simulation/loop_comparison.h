#pragma once

// The loop gain of one corner as ngspice's .ac run gives it beside the
// analytic one: the largest differences of gain and phase from the sweep's
// start up to twice the analytic crossover (over the whole sweep where the
// gain does not cross), and the crossover and the phase margin read from
// the simulated points. Agreement is within kLoopGainTolerance_dB and
// kLoopPhaseTolerance_deg; beyond it the difference is a finding.

#include <complex>
#include <optional>
#include <string>
#include <vector>

#include "engine/loop/loop_design.h"

namespace flyback {

inline constexpr double kLoopGainTolerance_dB = 1;
inline constexpr double kLoopPhaseTolerance_deg = 5;

// The simulated loop gain T at f_Hz.
struct SimulatedLoopPoint {
  double f_Hz = 0;
  std::complex<double> T;
};

struct LoopComparison {
  double compared_to_Hz = 0;      // Hz, the end of the compared range
  double gain_difference_dB = 0;  // simulated − analytic, the largest in magnitude
  double gain_difference_at_Hz = 0;
  double phase_difference_deg = 0;  // simulated − analytic, the largest in magnitude
  double phase_difference_at_Hz = 0;
  std::vector<BodePoint> simulated;  // the simulated points, the phase unwrapped
  LoopMargins simulated_margins;     // crossover and phase margin of the simulated points
  bool agrees = false;               // both differences within tolerance
};

// `corner`'s analytic loop `analytic` against the simulated points `sim`
// (rising frequency, at least two).
LoopComparison CompareLoop(const LoopCorner& corner, const LoopResponse& analytic,
                           const std::vector<SimulatedLoopPoint>& sim);

// "2.35 kHz", "870 Hz": three significant digits.
std::string FrequencyText(double f_Hz);

// "lowest input, 100 % load, CTR 0.38".
std::string CornerText(const LoopCorner& corner);

// "lowest input, 100 % load, CTR 0.38: the simulated loop gain differs by
// −1.6 dB at 2.35 kHz and by 7.2° at 4.1 kHz from the analytic (tolerance
// ±1 dB, ±5°)"; empty where it agrees.
std::string LoopDisagreementText(const LoopCorner& corner, const LoopComparison& c);

}  // namespace flyback

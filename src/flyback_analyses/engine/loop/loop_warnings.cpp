#include "engine/loop/loop_warnings.h"

namespace flyback {

std::string_view LoopWarningText(LoopWarning w) {
  switch (w) {
    case LoopWarning::kNoCrossover:
      return "the loop gain does not reach 0 dB below half the switching frequency";
    case LoopWarning::kLowPhaseMargin:
      return "phase margin below 45°";
    case LoopWarning::kLowGainMargin:
      return "gain margin below 10 dB";
    case LoopWarning::kNearRightHalfPlaneZero:
      return "crossover above a fifth of the right-half-plane zero";
    case LoopWarning::kNearSwitching:
      return "crossover above a fifth of the switching frequency";
    case LoopWarning::kSeveralCrossings:
      return "the loop gain crosses 0 dB more than once";
    case LoopWarning::kBeyondCurrentLimit:
      return "the peak current with the slope ramp needs more than I_D_max, the current limit "
             "the loop takes: the controller limits before this load";
  }
  return "";
}

std::vector<LoopWarning> LoopWarningsOf(const LoopMargins& m, const PowerStageModel& plant) {
  std::vector<LoopWarning> warnings;
  if (!m.crossover_Hz) {
    warnings.push_back(LoopWarning::kNoCrossover);
  } else {
    if (*m.phase_margin_deg < kLeastPhaseMargin_deg)
      warnings.push_back(LoopWarning::kLowPhaseMargin);
    if (plant.f_rhp_zero_Hz > 0 && *m.crossover_Hz > kCrossoverShareLimit * plant.f_rhp_zero_Hz)
      warnings.push_back(LoopWarning::kNearRightHalfPlaneZero);
    if (*m.crossover_Hz > kCrossoverShareLimit * plant.f_sw_Hz)
      warnings.push_back(LoopWarning::kNearSwitching);
  }
  if (m.gain_margin_dB && *m.gain_margin_dB < kLeastGainMargin_dB)
    warnings.push_back(LoopWarning::kLowGainMargin);
  if (m.crossings > 1) warnings.push_back(LoopWarning::kSeveralCrossings);
  // The worst-case point itself sets the limit: equal by construction there.
  constexpr double kRoundOff = 1e-9;
  if (plant.I_control_A > plant.I_limit_A * (1 + kRoundOff))
    warnings.push_back(LoopWarning::kBeyondCurrentLimit);
  return warnings;
}

}  // namespace flyback

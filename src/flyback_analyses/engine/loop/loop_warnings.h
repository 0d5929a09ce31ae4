#pragma once

// What the loop's margins at one corner warn of. The limits are the rules of
// controller makers' data sheets: a phase margin of at least 45° and a gain
// margin of at least 10 dB, a crossover at most a fifth of the right-half-
// plane zero and of the switching frequency, and a gain that crosses 0 dB
// once. Beside the margins: an operating point the controller cannot reach,
// its peak current (with the slope ramp) beyond the current limit.

#include <string_view>
#include <vector>

#include "engine/loop/loop_margins.h"
#include "engine/loop/power_stage_model.h"

namespace flyback {

inline constexpr double kLeastPhaseMargin_deg = 45;
inline constexpr double kLeastGainMargin_dB = 10;
inline constexpr double kCrossoverShareLimit = 0.2;  // of f_RHPZ and of f_sw

enum class LoopWarning {
  kNoCrossover,             // the gain never reaches 0 dB in the sweep
  kLowPhaseMargin,          // below 45°
  kLowGainMargin,           // below 10 dB
  kNearRightHalfPlaneZero,  // crossover above a fifth of f_RHPZ
  kNearSwitching,           // crossover above a fifth of f_sw
  kSeveralCrossings,        // the gain crosses 0 dB more than once
  kBeyondCurrentLimit,      // the point needs more than the current limit
};

// "phase margin below 45°", ...
std::string_view LoopWarningText(LoopWarning w);

std::vector<LoopWarning> LoopWarningsOf(const LoopMargins& m, const PowerStageModel& plant);

}  // namespace flyback

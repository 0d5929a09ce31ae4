#pragma once

// The hard limits a candidate transformer must keep to be usable at all:
// its hot spot within the bobbin's insulation class and the range of the
// ferrite's loss data, its peak flux with the tolerances of the current
// limit and of the gapped core's AL below the ferrite's saturation flux at
// that hot spot, its windings with their safety insulation within the
// window, and its switching frequency at every operating point within the
// loss data's range and, at a fixed frequency, the control IC's. Each limit broken is one reason.

#include <optional>
#include <string>
#include <vector>

#include "engine/adviser/window_fill.h"
#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// The assumptions of the limits, stated in the design file with the ranking.
struct HardLimits {
  double T_ambient_C = 40;      // °C, air around the transformer in the enclosure
  double T_insulation_C = 130;  // °C, the bobbin's insulation class (B)
  // The current limit trips at most this factor above the designed peak
  // current I_D_max (the control IC's threshold tolerance).
  double current_limit_factor = 1.1;
  double AL_tolerance = 0.05;  // upper tolerance of a gapped core's AL, as a share
  WindowFillRules fill;
};

// The figures the limits judge a calculated candidate by.
struct LimitFigures {
  // °C; none without a core geometry or where the rise runs away
  std::optional<double> T_hot_spot_C;
  bool rise_runs_away = false;
  std::optional<double> T_limit_C;    // °C, the lower of the insulation's and the loss data's
  std::optional<double> window_fill;  // share of the window, none without a core geometry
  double B_peak_tolerance_mT = 0;     // mT, Bmax at the current limit with the AL tolerance
  // mT, saturation at the hot spot; none without one or where the rise runs away
  std::optional<double> B_sat_mT;
  double f_lowest_kHz = 0;  // over the operating points
  double f_highest_kHz = 0;
};

// The figures of the calculated design `s` whose loss budget at its hot spot
// is `budget`, the hot spot being `T_hot_spot_C` (none without a core
// geometry) and `runs_away` where its rise does not settle.
LimitFigures LimitFiguresOf(const DesignState& s, const LossBudget& budget,
                            std::optional<double> T_hot_spot_C, bool runs_away,
                            const HardLimits& limits);

// One line for each limit the figures break, in the order of the header.
std::vector<std::string> HardLimitReasons(const DesignState& s, const LossBudget& budget,
                                          const LimitFigures& figures);

}  // namespace flyback

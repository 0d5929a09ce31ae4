#pragma once

// Whether a simulated stage has settled: every output's average over each of
// the last windows of kSettlingWindowPeriods switching periods lies within
// kSettledShare of its average over the window before, for kSettlingSteps
// steps in a row. A run that starts at
// the calculated state comes close within a few dozen periods; the rule
// lets it stop there instead of after a fixed count. The windows are whole
// switching periods (turn-on to turn-on), so that the ripple of a part
// period does not move an average.

#include <vector>

namespace flyback {

inline constexpr int kSettlingWindowPeriods = 10;
// Of the earlier window's average. The outputs approach their settled value
// geometrically, each window's step some 0.8 of the one before on the
// 200 W four-output demonstration: what is left to go is then about four
// times the last step, so a step of 0.02 % leaves them within 0.1 %; a step
// of 0.1 % stopped that run 0.3 % short. A slower tail than the
// demonstrations' could still pass the rule (docs/simulation.md).
inline constexpr double kSettledShare = 0.0002;
// Steps between windows the rule must hold for, each window against the one
// before: one step passed at the turn of a slow swing (the 200 W
// demonstration's highest bus stopped after 55 periods 0.37 % from a run of
// 1000 periods).
inline constexpr int kSettlingSteps = 2;
// Switching periods a run takes at least before it may stop settled: the
// kMeasuredPeriods the figures are taken over and the start's own
// transient before them.
inline constexpr int kLeastSettledPeriods = 50;

// The rule on two windows' averages (V), output by output: settled where
// each later average lies less than kSettledShare of the earlier one from
// it. Outputs of both lists in the same order.
bool AveragesSettled(const std::vector<double>& earlier_V, const std::vector<double>& later_V);

struct Settling {
  int periods = 0;       // whole switching periods simulated, turn-on to turn-on
  bool settled = false;  // after at least kLeastSettledPeriods
};

// The settling at the end of a run: its time axis, the switch's command
// (1 on, 0 off) and each output's voltage at every time point.
Settling SettlingAtEnd(const std::vector<double>& time_s, const std::vector<double>& gate,
                       const std::vector<const std::vector<double>*>& outputs_V);

}  // namespace flyback

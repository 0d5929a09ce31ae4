#include "engine/simulation/output_settling.h"

#include <cmath>
#include <cstddef>

#include "engine/simulation/waveform_windows.h"

namespace flyback {

bool AveragesSettled(const std::vector<double>& earlier_V, const std::vector<double>& later_V) {
  if (earlier_V.size() != later_V.size()) return false;
  for (std::size_t i = 0; i < earlier_V.size(); ++i) {
    if (!(std::abs(later_V[i] - earlier_V[i]) < kSettledShare * std::abs(earlier_V[i]))) {
      return false;
    }
  }
  return true;
}

Settling SettlingAtEnd(const std::vector<double>& time_s, const std::vector<double>& gate,
                       const std::vector<const std::vector<double>*>& outputs_V) {
  const std::vector<double> on = TurnOnTimes(time_s, gate);
  Settling s;
  s.periods = on.empty() ? 0 : static_cast<int>(on.size()) - 1;
  if (s.periods < kLeastSettledPeriods) return s;
  const auto turn_on = [&on](int periods_back) {
    return on[on.size() - 1 - static_cast<std::size_t>(periods_back)];
  };
  // Three windows back to back: the rule must hold for both steps, so that
  // an outlying turn of a slow swing, where two windows happen to agree,
  // does not pass for settled.
  std::vector<std::vector<double>> averages_V(static_cast<std::size_t>(kSettlingSteps) + 1);
  for (int w = 0; w <= kSettlingSteps; ++w) {
    const Window win = WindowOf(time_s, turn_on((w + 1) * kSettlingWindowPeriods),
                                turn_on(w * kSettlingWindowPeriods));
    for (const std::vector<double>* u : outputs_V) {
      averages_V[static_cast<std::size_t>(w)].push_back(
          Average(time_s, win, [u](std::size_t i) { return (*u)[i]; }));
    }
  }
  s.settled = true;
  for (std::size_t w = 0; w < static_cast<std::size_t>(kSettlingSteps); ++w) {
    s.settled = s.settled && AveragesSettled(averages_V[w + 1], averages_V[w]);
  }
  return s;
}

}  // namespace flyback

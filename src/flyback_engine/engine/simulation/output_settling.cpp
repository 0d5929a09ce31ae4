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
  const Window earlier =
      WindowOf(time_s, turn_on(2 * kSettlingWindowPeriods), turn_on(kSettlingWindowPeriods));
  const Window later = WindowOf(time_s, turn_on(kSettlingWindowPeriods), turn_on(0));
  std::vector<double> earlier_V;
  std::vector<double> later_V;
  for (const std::vector<double>* u : outputs_V) {
    const auto value = [u](std::size_t i) { return (*u)[i]; };
    earlier_V.push_back(Average(time_s, earlier, value));
    later_V.push_back(Average(time_s, later, value));
  }
  s.settled = AveragesSettled(earlier_V, later_V);
  return s;
}

}  // namespace flyback

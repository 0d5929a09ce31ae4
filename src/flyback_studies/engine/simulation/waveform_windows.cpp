#include "engine/simulation/waveform_windows.h"

#include <algorithm>

#include "engine/simulation/stage_nodes.h"

namespace flyback {

std::vector<double> TurnOnTimes(const std::vector<double>& time_s,
                                const std::vector<double>& gate) {
  std::vector<double> times;
  for (std::size_t i = 1; i < time_s.size(); ++i) {
    if (gate[i - 1] < kGateOn_V && gate[i] >= kGateOn_V) {
      const double share = (kGateOn_V - gate[i - 1]) / (gate[i] - gate[i - 1]);
      times.push_back(time_s[i - 1] + share * (time_s[i] - time_s[i - 1]));
    }
  }
  return times;
}

Window WindowOf(const std::vector<double>& time_s, double from_s, double to_s) {
  const auto begin = std::ranges::lower_bound(time_s, from_s);
  const auto end = std::ranges::upper_bound(time_s, to_s);
  return {static_cast<std::size_t>(begin - time_s.begin()),
          static_cast<std::size_t>(end - time_s.begin()) - 1};
}

}  // namespace flyback

#pragma once

// Spans of simulated waveforms counted in switching periods: the times the
// switch turns on, and time averages over a span (the simulator's steps are
// not equal, so an average is an integral over time divided by the time).

#include <cstddef>
#include <vector>

namespace flyback {

// s, the times at which the switch turns on: the command `gate` rising
// through kGateOn_V (stage_nodes.h), between two time points by linear
// interpolation.
std::vector<double> TurnOnTimes(const std::vector<double>& time_s, const std::vector<double>& gate);

// The time points of [from, to]: the indices first..last.
struct Window {
  std::size_t first = 0;
  std::size_t last = 0;
};

Window WindowOf(const std::vector<double>& time_s, double from_s, double to_s);

// Time average of f(i) over the window, trapezoids between the time points.
template <typename Value>
double Average(const std::vector<double>& time_s, Window win, Value f) {
  double integral = 0;
  for (std::size_t i = win.first + 1; i <= win.last; ++i) {
    integral += 0.5 * (f(i - 1) + f(i)) * (time_s[i] - time_s[i - 1]);
  }
  return integral / (time_s[win.last] - time_s[win.first]);
}

}  // namespace flyback

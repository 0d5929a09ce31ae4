#pragma once

// Every loss of a point of the efficiency map by name, in one order for
// every point of a design: the switching stage's terms as the budget names
// them, then the standing losses. The views list them from here.

#include <string>
#include <vector>

#include "engine/efficiency/efficiency_map.h"

namespace flyback {

struct LossTerm {
  std::string name;  // "core", "winding primary", "start-up resistor R22", ...
  double P_W = 0;
};

// W, the least loss the views list on its own; the smaller ones they sum.
inline constexpr double kListedLeast_W = 0.001;

std::vector<LossTerm> LossTermsOf(const MapPoint& point);

}  // namespace flyback

#pragma once

// What the last optimization of a session did, for views and exports of the
// design: every rated step of its sweep, the listed rows, the best row and
// the Bmax chosen for the final calculation.

#include <optional>
#include <vector>

#include "engine/transformer/optimization_rating.h"

namespace flyback {

struct OptimizationRecord {
  double start_Bmax = 0;              // mT
  std::vector<SweepPoint> steps;      // every rated step, in the order of the sweep
  std::vector<SweepPoint> rows;       // the listed rows (local maxima)
  std::optional<SweepPoint> best;     // the absolute maximum; none before a row was listed
  std::optional<double> chosen_Bmax;  // mT, for the final calculation
};

}  // namespace flyback

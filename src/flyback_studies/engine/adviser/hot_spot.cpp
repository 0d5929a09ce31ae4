#include "engine/adviser/hot_spot.h"

#include <cmath>

#include "engine/checks/loss_checks.h"

namespace flyback {

namespace {

// K, the change of the hot spot from one pass to the next at which it counts
// as settled: a tenth of the figure's shown digit.
constexpr double kSettled_K = 0.01;
// Passes at most. Each pass closes in by the slope of the rise against the
// temperature (a few hundredths to a few tenths in a working transformer),
// so a settling hot spot needs well under a dozen.
constexpr int kMostPasses = 40;
// °C, beyond any power ferrite's Curie temperature: a hot spot past it has
// run away, whatever the figures say.
constexpr double kRunaway_C = 300;

}  // namespace

std::optional<HotSpot> SelfConsistentHotSpot(const DesignState& s, const UserCoreData* core_data,
                                             double T_ambient_C) {
  HotSpot hot;
  hot.T_C = T_ambient_C;
  for (int pass = 0; pass < kMostPasses; ++pass) {
    LossAssumptions assumptions;
    assumptions.T_core_C = hot.T_C;
    assumptions.T_winding_C = hot.T_C;
    hot.budget = ComputeLossBudget(s, core_data, assumptions);
    const std::optional<double> rise_K = JudgedFigures(hot.budget).transformer_rise_K;
    if (!rise_K) return std::nullopt;
    const double T_next_C = T_ambient_C + *rise_K;
    if (!(T_next_C <= kRunaway_C)) {
      hot.runs_away = true;
      return hot;
    }
    const bool settled = std::abs(T_next_C - hot.T_C) <= kSettled_K;
    hot.T_C = T_next_C;
    if (settled) return hot;
  }
  hot.runs_away = true;
  return hot;
}

}  // namespace flyback

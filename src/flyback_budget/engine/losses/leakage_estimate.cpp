#include "engine/losses/leakage_estimate.h"

#include <numbers>

#include "base/numbers/units.h"

namespace flyback {

namespace {

inline constexpr double kMu0_H_per_m = 4e-7 * std::numbers::pi;
inline constexpr double kMicrohenryPerHenry = 1e6;

double Build_mm(const WindingBuild& build) {
  return build.layers * build.pitch_mm;
}

}  // namespace

double EstimatedLeakage(const LeakageWinding& winding) {
  double secondaries_mm = 0;
  for (const WindingBuild& build : winding.secondaries) secondaries_mm += Build_mm(build);
  if (winding.secondaries.size() > 1) {
    secondaries_mm +=
        kSecondarySecondaryInsulation_mm * static_cast<double>(winding.secondaries.size() - 1);
  }
  const double field_mm =
      kPrimarySecondaryInsulation_mm + (Build_mm(winding.primary) + secondaries_mm) / 3;
  const double N = winding.primary_turns;
  const double L_H = kMu0_H_per_m * N * N * winding.mean_turn_length_mm * kMetresPerMillimetre *
                     field_mm / winding.winding_width_mm;
  const double factor = winding.sectioned_bobbin ? kSectionedBobbinFactor : 1;
  return factor * L_H * kMicrohenryPerHenry;
}

}  // namespace flyback

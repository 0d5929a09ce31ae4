#include "engine/simulation/winding_leakage.h"

#include <numeric>

namespace flyback {

namespace {

// mm, the radial build of one winding.
double Build_mm(const WindingBuild& build) {
  return build.layers * build.pitch_mm;
}

}  // namespace

WindingLeakageShares SplitLeakage(const LeakageFigures& leakage, int outputs) {
  // Weights of the primary's and the secondaries' side, and of each
  // secondary within its side.
  double primary_side = 1;
  double secondary_side = 1;
  std::vector<double> builds_mm(static_cast<std::size_t>(outputs), 1.0);
  if (leakage.winding && leakage.winding->secondaries.size() == builds_mm.size()) {
    const LeakageWinding& w = *leakage.winding;
    for (std::size_t i = 0; i < builds_mm.size(); ++i) builds_mm[i] = Build_mm(w.secondaries[i]);
    const double stacked_mm = std::accumulate(builds_mm.begin(), builds_mm.end(), 0.0) +
                              kSecondarySecondaryInsulation_mm * static_cast<double>(outputs - 1);
    primary_side = kPrimarySecondaryInsulation_mm / 2 + Build_mm(w.primary) / 3;
    secondary_side = kPrimarySecondaryInsulation_mm / 2 + stacked_mm / 3;
  }
  const double total_build_mm = std::accumulate(builds_mm.begin(), builds_mm.end(), 0.0);
  const double field = primary_side + secondary_side;
  const double secondaries = leakage.share * secondary_side / field;
  WindingLeakageShares shares;
  shares.primary = leakage.share * primary_side / field;
  for (double build_mm : builds_mm)
    shares.outputs.push_back(secondaries * build_mm / total_build_mm);
  shares.ic = outputs > 0 ? secondaries / outputs : secondaries;
  return shares;
}

}  // namespace flyback

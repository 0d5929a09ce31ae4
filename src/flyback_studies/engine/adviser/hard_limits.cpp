#include "engine/adviser/hard_limits.h"

#include <algorithm>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "base/numbers/units.h"
#include "engine/adviser/ferrite_saturation.h"

namespace flyback {

namespace {

double PointFrequency_kHz(const OperatingPointLosses& p) {
  return kMicrosecondsPerMillisecond / p.switching.period_us;
}

std::string Figure(double value, int decimals) {
  return NumberText(RoundTo(value, decimals));
}

struct FrequencyRange {
  double f_min_kHz = 0;
  double f_max_kHz = 0;
  std::string owner;  // whose range it is
};

FrequencyRange FixedRange(const DesignInputs& in) {
  return {in.f_fix_min, in.f_fix_max, "the control IC's fixed range"};
}

FrequencyRange LossDataRange(const FerriteMaterial& material) {
  return {material.ranges.front().f_min_Hz / kHertzPerKilohertz,
          material.ranges.back().f_max_Hz / kHertzPerKilohertz,
          "the loss data of " + std::string(material.name)};
}

// Relative slack of a frequency against a bound it equals by construction
// (the fixed frequency).
constexpr double kFrequencySlack = 1e-6;

void CheckFrequencies(const LossBudget& budget, const FrequencyRange& range,
                      std::vector<std::string>& reasons) {
  for (const OperatingPointLosses* p : budget.points()) {
    const double f_kHz = PointFrequency_kHz(*p);
    const bool below = f_kHz < range.f_min_kHz * (1 - kFrequencySlack);
    const bool above = f_kHz > range.f_max_kHz * (1 + kFrequencySlack);
    if (!below && !above) continue;
    reasons.push_back("it switches at " + Figure(f_kHz, 1) + " kHz at the " + p->name +
                      ", outside " + range.owner + " (" + Figure(range.f_min_kHz, 1) + " to " +
                      Figure(range.f_max_kHz, 1) + " kHz)");
  }
}

}  // namespace

LimitFigures LimitFiguresOf(const DesignState& s, const LossBudget& budget,
                            std::optional<double> T_hot_spot_C, bool runs_away,
                            const HardLimits& limits) {
  LimitFigures figures;
  // A rise that runs away has no temperature: the last one tried is no
  // hot spot, and that reason stands for the flux at it too.
  if (!runs_away) figures.T_hot_spot_C = T_hot_spot_C;
  figures.rise_runs_away = runs_away;
  figures.B_peak_tolerance_mT =
      s.transformer.Bmax * limits.current_limit_factor * (1 + limits.AL_tolerance);
  figures.f_lowest_kHz = figures.f_highest_kHz = PointFrequency_kHz(budget.lowest_valley);
  for (const OperatingPointLosses* p : budget.points()) {
    figures.f_lowest_kHz = std::min(figures.f_lowest_kHz, PointFrequency_kHz(*p));
    figures.f_highest_kHz = std::max(figures.f_highest_kHz, PointFrequency_kHz(*p));
  }
  if (!budget.core.core) return figures;
  const LossCore& core = *budget.core.core;
  const FerriteLimits& ferrite = FerriteLimitsFor(core.material.name);
  figures.T_limit_C = std::min(limits.T_insulation_C, ferrite.T_loss_data_max_C);
  figures.window_fill = WindowFillOf(s, core, limits.fill).fill;
  if (figures.T_hot_spot_C) figures.B_sat_mT = SaturationFlux_mT(ferrite, *figures.T_hot_spot_C);
  return figures;
}

std::vector<std::string> HardLimitReasons(const DesignState& s, const LossBudget& budget,
                                          const LimitFigures& figures) {
  std::vector<std::string> reasons;
  const std::string material = budget.core.core ? std::string(budget.core.core->material.name) : "";
  if (figures.rise_runs_away) {
    reasons.push_back(
        "its temperature rise runs away: the losses grow with the heat faster "
        "than the transformer sheds it");
  } else if (figures.T_hot_spot_C && figures.T_limit_C &&
             *figures.T_hot_spot_C > *figures.T_limit_C) {
    reasons.push_back("its hot spot reaches " + Figure(*figures.T_hot_spot_C, 1) + " °C, above " +
                      Figure(*figures.T_limit_C, 0) +
                      " °C (insulation class and the loss data of " + material + ")");
  }
  if (figures.B_sat_mT && figures.B_peak_tolerance_mT > *figures.B_sat_mT) {
    reasons.push_back("its peak flux with the current limit's and the AL's tolerance, " +
                      Figure(figures.B_peak_tolerance_mT, 0) + " mT, exceeds the saturation of " +
                      material + " at its hot spot, " + Figure(*figures.B_sat_mT, 0) + " mT");
  }
  if (figures.window_fill && *figures.window_fill > 1) {
    reasons.push_back("its windings with the safety insulation need " +
                      Figure(100 * *figures.window_fill, 0) + " % of the window");
  }
  // A free-running IC follows the transformer: the design's lowest
  // frequency is the calculation's aim, not a limit of the IC.
  if (s.inputs.fixed_freq) CheckFrequencies(budget, FixedRange(s.inputs), reasons);
  if (budget.core.core)
    CheckFrequencies(budget, LossDataRange(budget.core.core->material), reasons);
  return reasons;
}

}  // namespace flyback

#include "engine/simulation/simulation_comparison.h"

#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/checks/loss_checks.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

std::string Percent(double share) {
  return NumberText(RoundTo(100 * share, 1)) + " %";
}

// A figure with a tolerance of ± `share` of the calculated one.
ComparedFigure Within(CheckedQuantity quantity, std::string figure, std::string unit,
                      double simulated, double calculated, double share) {
  return {quantity,
          std::move(figure),
          "",
          std::move(unit),
          simulated,
          calculated,
          simulated / calculated - 1,
          calculated * (1 - share),
          calculated * (1 + share),
          "±" + Percent(share)};
}

void AddPoint(const DesignState& s, const OperatingPointLosses& losses, const SimulatedPoint& p,
              std::vector<ComparedFigure>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const OperatingPointFigures& f = p.figures;
  const std::size_t first = rows.size();
  for (const SimulatedOutput& out : f.outputs) {
    const bool ic = out.winding == 0;
    const CheckedQuantity quantity = ic ? CheckedQuantity{Quantity::kIcSupplyVoltage}
                                        : CheckedQuantity{Quantity::kOutputVoltage, out.winding};
    const double calculated = ic ? IcSupplyVoltage(in, t) : OutputVoltage(in, t, out.winding);
    const std::string name = QuantityName(quantity);
    rows.push_back(Within(quantity, name, "V", out.U_avg_V, calculated, kOutputTolerance));
    const std::string suffix = ic ? "(ic)" : "(" + std::to_string(out.winding) + ")";
    rows.push_back({quantity, "ripple" + suffix, "", "V", out.U_ripple_V, calculated,
                    out.U_ripple_V / calculated, std::nullopt, kRippleLimit * calculated,
                    "at most " + Percent(kRippleLimit) + " of " + name});
  }
  // The calculated peak current and lowest frequency are worst-case bounds
  // (the current at the valley of the bus ripple, the times at the crest):
  // the stage may stay below the current and above the frequency.
  const double I_D_max = in.fixed_freq ? t.I_D_max_fix : t.I_D_max;
  rows.push_back({{Quantity::kPeakDrainCurrent},
                  "I_D_peak",
                  "",
                  "A",
                  f.I_D_peak_A,
                  I_D_max,
                  f.I_D_peak_A / I_D_max - 1,
                  std::nullopt,
                  I_D_max * (1 + kPeakCurrentMargin),
                  "at most +" + Percent(kPeakCurrentMargin)});
  rows.push_back({{Quantity::kDrainVoltage},
                  "U_D_peak",
                  "",
                  "V",
                  f.U_D_peak_V,
                  t.U_D_max,
                  f.U_D_peak_V / t.U_D_max - 1,
                  std::nullopt,
                  in.U_D_lim,
                  "at most U_D_lim " + NumberText(in.U_D_lim) + " V"});
  if (in.fixed_freq) {
    rows.push_back(Within({Quantity::kFrequency}, "f_sw", "kHz", f.f_sw_kHz, in.f_fix_min,
                          kFrequencyTolerance));
  } else {
    rows.push_back({{Quantity::kFrequency},
                    "f_sw",
                    "",
                    "kHz",
                    f.f_sw_kHz,
                    t.fsntmin,
                    f.f_sw_kHz / t.fsntmin - 1,
                    t.fsntmin * (1 - kFrequencyTolerance),
                    std::nullopt,
                    "at least -" + Percent(kFrequencyTolerance)});
  }
  // The simulated stage loses less than the real one (ideal magnetics, no
  // bridge): an assumed efficiency above it is optimistic for certain.
  rows.push_back({{Quantity::kAssumedEfficiency},
                  "eta",
                  "",
                  "%",
                  100 * f.efficiency,
                  100 * in.eta,
                  f.efficiency / in.eta - 1,
                  100 * in.eta - kEfficiencyMarginPoints,
                  std::nullopt,
                  "at least -" + NumberText(kEfficiencyMarginPoints) + " points"});
  rows.push_back({{Quantity::kEfficiency},
                  "eta_computed",
                  "",
                  "%",
                  100 * f.efficiency,
                  100 * losses.efficiency,
                  f.efficiency / losses.efficiency - 1,
                  std::nullopt,
                  std::nullopt,
                  "none"});
  for (std::size_t i = first; i < rows.size(); ++i) {
    ComparedFigure& row = rows[i];
    row.point = p.name;
    row.within =
        (!row.least || row.simulated >= *row.least) && (!row.most || row.simulated <= *row.most);
  }
}

}  // namespace

SimulationComparison CompareSimulation(const DesignState& s, const LossBudget& budget,
                                       SimulatedPoint lowest, SimulatedPoint highest) {
  SimulationComparison c;
  c.leakage_share = budget.leakage.share;
  AddPoint(s, budget.lowest_crest, lowest, c.figures);
  AddPoint(s, budget.highest_input, highest, c.figures);
  c.points.push_back(std::move(lowest));
  c.points.push_back(std::move(highest));
  return c;
}

std::vector<Finding> CheckSimulation(const SimulationComparison& comparison) {
  std::vector<Finding> findings;
  for (const ComparedFigure& row : comparison.figures) {
    if (row.within) continue;
    const bool low = row.least && row.simulated < *row.least;
    std::string message = "the simulation at the ";
    message += row.point;
    message += " gives ";
    message += row.figure;
    message += " = ";
    message += SignedNumberText(RoundTo(row.simulated, 3));
    message += " " + row.unit + " against ";
    message += SignedNumberText(RoundTo(row.calculated, 3));
    message += " " + row.unit + " calculated (" + row.tolerance + ")";
    findings.push_back({Severity::kWarning, "simulation-disagrees", row.quantity, row.simulated,
                        low ? *row.least : *row.most, std::move(message)});
  }
  return findings;
}

}  // namespace flyback

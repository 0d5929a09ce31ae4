#include "engine/overview/loss_overview.h"

#include <cmath>
#include <functional>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/checks/loss_checks.h"

namespace flyback {

namespace {

std::string Percent(double share) {
  return NumberText(RoundTo(100 * share, 1)) + " %";
}

std::string OptionalWattText(const std::optional<double>& W) {
  return W ? WattText(*W) : "not estimated";
}

double CopperLoss(const OperatingPointLosses& p) {
  double W = 0;
  for (const WindingLossTerm& winding : p.windings) W += winding.P_W;
  return W;
}

double OutputDiodeLoss(const OperatingPointLosses& p) {
  double W = 0;
  for (const OutputDiodeTerm& diode : p.output_diodes) W += diode.P_W;
  return W;
}

double OutputCapacitorLoss(const OperatingPointLosses& p) {
  double W = 0;
  for (const OutputCapacitorTerm& capacitor : p.output_capacitors) W += capacitor.P_W;
  return W;
}

// The copper is estimated with the core: without a core there are no terms.
std::optional<double> OptionalCopperLoss(const OperatingPointLosses& p) {
  return p.core_W ? std::optional(CopperLoss(p)) : std::nullopt;
}

std::string CoreNote(const LossCoreChoice& choice) {
  if (!choice.core) return "transformer losses not estimated: " + choice.reason;
  if (!choice.core->estimated) return "";
  return "estimated from the " + std::string(choice.core->geometry.shape) +
         " shape: only AL and Ae are known";
}

}  // namespace

std::string WattText(double W) {
  const double magnitude = std::abs(W);
  const int decimals = magnitude >= 10 ? 1 : magnitude >= 1 ? 2 : 3;
  return SignedNumberText(RoundTo(W, decimals)) + " W";
}

LossOverview WhereTheWattsGo(const LossBudget& budget) {
  const OperatingPointLosses& low = budget.lowest_valley;
  const OperatingPointLosses& high = budget.highest_input;
  LossOverview overview;
  const auto add =
      [&](std::string name,
          const std::function<std::optional<double>(const OperatingPointLosses&)>& term) {
        const std::optional<double> lowest = term(low);
        const std::optional<double> highest = term(high);
        overview.bars.push_back({std::move(name), lowest, highest, OptionalWattText(lowest),
                                 OptionalWattText(highest)});
      };
  add("core", [](const OperatingPointLosses& p) { return p.core_W; });
  add("copper", OptionalCopperLoss);
  add("MOSFET conduction", [](const OperatingPointLosses& p) { return p.mosfet_conduction_W; });
  add("MOSFET turn-on", [](const OperatingPointLosses& p) { return p.mosfet_turn_on_W; });
  add("MOSFET turn-off", [](const OperatingPointLosses& p) { return p.mosfet_turn_off_W; });
  add("output diodes", OutputDiodeLoss);
  add("output capacitors", OutputCapacitorLoss);
  add("control IC and its diode",
      [](const OperatingPointLosses& p) { return p.controller_W + p.ic_diode_W; });
  add("bridge rectifier", [](const OperatingPointLosses& p) { return p.bridge_W; });
  // A clamp is charged only where the list's network is modelled.
  add("clamp", [](const OperatingPointLosses& p) { return p.clamp.P_W; });
  overview.lowest_total_W = low.total_W;
  overview.highest_total_W = high.total_W;
  overview.lowest_set = low.name + ": " + WattText(low.total_W);
  overview.highest_set = high.name + ": " + WattText(high.total_W);
  overview.efficiency =
      "assumed " + Percent(budget.assumed_efficiency) + " — computed " + Percent(low.efficiency);
  overview.rise = low.transformer_rise_K
                      ? "transformer rise " + NumberText(RoundTo(*low.transformer_rise_K, 1)) + " K"
                      : "transformer rise not estimated";
  overview.note = CoreNote(budget.core);
  return overview;
}

std::vector<KeyFigure> LossKeyFigures(const DesignInputs& in, const LossBudget& budget,
                                      const std::vector<Finding>& findings) {
  const JudgedLosses judged = JudgedFigures(budget);
  std::vector<KeyFigure> figures = {
      {"efficiency", Percent(judged.least_efficient->efficiency),
       "at least " + Percent(in.eta - kEfficiencyMarginPoints / 100),
       VerdictOn(findings, {{Quantity::kEfficiency}})},
  };
  if (judged.transformer_rise_K) {
    figures.push_back({"transformer rise",
                       NumberText(RoundTo(*judged.transformer_rise_K, 1)) + " K",
                       "up to " + NumberText(kTransformerRiseLimit_K) + " K",
                       VerdictOn(findings, {{Quantity::kTransformerTemperature}})});
  }
  if (judged.core_density_W_per_m3 && budget.core.core) {
    const FerriteMaterial& material = budget.core.core->material;
    figures.push_back({"core loss density",
                       NumberText(RoundTo(*judged.core_density_W_per_m3 / 1000, 1)) + " kW/m³",
                       "up to " + NumberText(RoundTo(material.Pv_limit_W_per_m3 / 1000, 1)) +
                           " kW/m³ (" + std::string(material.name) + ")",
                       VerdictOn(findings, {{Quantity::kCoreLossDensity}})});
  }
  figures.push_back({"clamp loss", WattText(judged.clamp_W),
                     "up to " + WattText(kClampShareLimit * in.P_out_max),
                     VerdictOn(findings, {{Quantity::kClampLoss}})});
  return figures;
}

}  // namespace flyback

#include "engine/checks/loss_checks.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

std::vector<Finding> CheckLosses(const DesignInputs& in, const LossBudget& budget) {
  std::vector<Finding> findings;
  const OperatingPointLosses& p = budget.lowest_input;
  const auto warn = [&findings](std::string code, CheckedQuantity quantity, double value,
                                double bound, std::string message) {
    findings.push_back(
        {Severity::kWarning, std::move(code), quantity, value, bound, std::move(message)});
  };
  const double lowest_efficiency = in.eta - kEfficiencyMarginPoints / 100;
  if (p.efficiency < lowest_efficiency) {
    warn("efficiency-optimistic", {Quantity::kEfficiency}, p.efficiency, lowest_efficiency,
         "the assumed efficiency is optimistic: the losses give " +
             NumberText(RoundTo(100 * p.efficiency, 1)) + " %");
  }
  if (p.transformer_rise_K && *p.transformer_rise_K > kTransformerRiseLimit_K) {
    warn("transformer-temperature-rise-high", {Quantity::kTransformerTemperature},
         *p.transformer_rise_K, kTransformerRiseLimit_K,
         "the transformer warms by " + NumberText(RoundTo(*p.transformer_rise_K, 1)) +
             " K, more than " + NumberText(kTransformerRiseLimit_K) + " K");
  }
  if (p.core_density_W_per_m3 && budget.core.core) {
    const double limit = budget.core.core->material.Pv_limit_W_per_m3;
    if (*p.core_density_W_per_m3 > limit) {
      warn("core-loss-density-high", {Quantity::kCoreLossDensity}, *p.core_density_W_per_m3, limit,
           "the core loses " + NumberText(RoundTo(*p.core_density_W_per_m3 / 1000, 0)) +
               " kW/m³, more than the " + NumberText(limit / 1000) + " kW/m³ set for " +
               std::string(budget.core.core->material.name));
    }
  }
  const double clamp_limit = kClampShareLimit * in.P_out_max;
  if (p.clamp_W > clamp_limit) {
    warn("clamp-loss-high", {Quantity::kClampLoss}, p.clamp_W, clamp_limit,
         "the clamp dissipates " + NumberText(RoundTo(p.clamp_W, 2)) + " W, more than " +
             NumberText(100 * kClampShareLimit) + " % of the output power (" +
             NumberText(RoundTo(clamp_limit, 2)) + " W)");
  }
  return findings;
}

std::vector<Finding> CheckOperatingPoints(const LossBudget& budget) {
  std::vector<Finding> findings;
  for (const OperatingPointLosses* p : {&budget.lowest_input, &budget.highest_input}) {
    const double U_bus_V = p->switching.U_bus_V;
    if (U_bus_V > 0) continue;
    findings.push_back({Severity::kError,
                        "bus-voltage-not-positive",
                        {Quantity::kBusVoltage},
                        U_bus_V,
                        0,
                        "the " + p->name + " cannot be worked out: its bus voltage is " +
                            (U_bus_V < 0 ? "-" : "") + NumberText(U_bus_V) + " V"});
  }
  return findings;
}

std::vector<Finding> CheckDesignAndLosses(const DesignState& design, const LossBudget& budget) {
  std::vector<Finding> findings = CheckDesign(design);
  for (std::vector<Finding> more :
       {CheckOperatingPoints(budget), CheckLosses(design.inputs, budget)}) {
    for (Finding& finding : more) findings.push_back(std::move(finding));
  }
  // The operating points' errors join those of the design, before its warnings.
  std::stable_partition(findings.begin(), findings.end(),
                        [](const Finding& f) { return f.severity == Severity::kError; });
  return findings;
}

}  // namespace flyback

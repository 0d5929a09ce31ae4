#include "engine/checks/loss_checks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

std::optional<double> Larger(std::optional<double> a, std::optional<double> b) {
  if (!a) return b;
  if (!b) return a;
  return std::max(*a, *b);
}

struct BudgetTerm {
  std::string name;
  double value;
};

// The first term of the budget at `p` that is not finite, in the order the
// losses add up (so the term that spoils the sum, not the sum); none where
// every term is finite.
std::optional<BudgetTerm> FirstNonFiniteTerm(const OperatingPointLosses& p) {
  std::vector<BudgetTerm> terms;
  if (p.core_W) terms.push_back({"core loss", *p.core_W});
  for (const WindingLossTerm& winding : p.windings) {
    terms.push_back({winding.winding + " copper loss", winding.P_W});
  }
  terms.push_back({"MOSFET conduction loss", p.mosfet_conduction_W});
  terms.push_back({"MOSFET turn-on loss", p.mosfet_turn_on_W});
  terms.push_back({"MOSFET turn-off loss", p.mosfet_turn_off_W});
  for (const OutputDiodeTerm& diode : p.output_diodes) {
    terms.push_back({"output " + std::to_string(diode.output) + " rectifier loss", diode.P_W});
  }
  for (const OutputCapacitorTerm& capacitor : p.output_capacitors) {
    terms.push_back(
        {"output " + std::to_string(capacitor.output) + " capacitor loss", capacitor.P_W});
  }
  terms.push_back({"IC supply diode loss", p.ic_diode_W});
  terms.push_back({"control IC supply", p.controller_W});
  terms.push_back({"bridge loss", p.bridge_W});
  terms.push_back({"clamp loss", p.clamp.P_W});
  terms.push_back({"total loss", p.total_W});
  terms.push_back({"efficiency", p.efficiency});
  if (p.transformer_rise_K)
    terms.push_back({"transformer temperature rise", *p.transformer_rise_K});
  const auto spoilt = std::ranges::find_if(
      terms, [](const BudgetTerm& term) { return !std::isfinite(term.value); });
  if (spoilt == terms.end()) return std::nullopt;
  return *spoilt;
}

// An error for each operating point whose budget is not a figure: its
// efficiency would be no number, and no bound could judge it.
void CheckFiniteness(const LossBudget& budget, std::vector<Finding>& findings) {
  for (const OperatingPointLosses* p : budget.points()) {
    const std::optional<BudgetTerm> term = FirstNonFiniteTerm(*p);
    if (!term) continue;
    findings.push_back({Severity::kError,
                        "loss-budget-not-finite",
                        {Quantity::kEfficiency},
                        term->value,
                        std::numeric_limits<double>::quiet_NaN(),
                        "The loss budget at the " + p->name + " cannot be worked out: its " +
                            term->name + " is not finite."});
  }
}

// An error for each operating point where the losses outgrow the input
// power: the stage cannot deliver its output there.
void CheckOperatingPointsExist(const LossBudget& budget, std::vector<Finding>& findings) {
  for (const OperatingPointLosses* p : budget.points()) {
    if (p->switching.fixed_point_met) continue;
    findings.push_back({Severity::kError,
                        "loss-budget-runs-away",
                        {Quantity::kEfficiency},
                        p->efficiency,
                        std::numeric_limits<double>::quiet_NaN(),
                        "At the " + p->name +
                            " the losses outgrow the input power: the stage has no operating "
                            "point there."});
  }
}

}  // namespace

JudgedLosses JudgedFigures(const LossBudget& budget) {
  JudgedLosses judged;
  for (const OperatingPointLosses* point : budget.points()) {
    if (judged.least_efficient == nullptr ||
        point->efficiency < judged.least_efficient->efficiency) {
      judged.least_efficient = point;
    }
    judged.transformer_rise_K = Larger(judged.transformer_rise_K, point->transformer_rise_K);
    judged.core_density_W_per_m3 =
        Larger(judged.core_density_W_per_m3, point->core_density_W_per_m3);
    judged.clamp_W = std::max(judged.clamp_W, point->clamp.P_W);
  }
  return judged;
}

std::vector<Finding> CheckLosses(const DesignInputs& in, const LossBudget& budget) {
  std::vector<Finding> findings;
  CheckFiniteness(budget, findings);
  CheckOperatingPointsExist(budget, findings);
  // Bounds judge figures only.
  if (!findings.empty()) return findings;
  const JudgedLosses judged = JudgedFigures(budget);
  const OperatingPointLosses& p = *judged.least_efficient;
  const auto warn = [&findings](std::string code, CheckedQuantity quantity, double value,
                                double bound, std::string message) {
    findings.push_back(
        {Severity::kWarning, std::move(code), quantity, value, bound, std::move(message)});
  };
  const double lowest_efficiency = in.eta - kEfficiencyMarginPoints / 100;
  if (p.efficiency < lowest_efficiency) {
    warn("efficiency-optimistic", {Quantity::kEfficiency}, p.efficiency, lowest_efficiency,
         "the assumed efficiency is optimistic: the losses give " +
             NumberText(RoundTo(100 * p.efficiency, 1)) + " % at the " + p.name);
  }
  const std::optional<double> rise_K = judged.transformer_rise_K;
  if (rise_K && *rise_K > kTransformerRiseLimit_K) {
    warn("transformer-temperature-rise-high", {Quantity::kTransformerTemperature}, *rise_K,
         kTransformerRiseLimit_K,
         "the transformer warms by " + NumberText(RoundTo(*rise_K, 1)) + " K, more than " +
             NumberText(kTransformerRiseLimit_K) + " K");
  }
  const std::optional<double> density = judged.core_density_W_per_m3;
  if (density && budget.core.core) {
    const double limit = budget.core.core->material.Pv_limit_W_per_m3;
    if (*density > limit) {
      warn("core-loss-density-high", {Quantity::kCoreLossDensity}, *density, limit,
           "the core loses " + NumberText(RoundTo(*density / 1000, 0)) + " kW/m³, more than the " +
               NumberText(limit / 1000) + " kW/m³ set for " +
               std::string(budget.core.core->material.name));
    }
  }
  const double clamp_limit = kClampShareLimit * in.P_out_max;
  if (judged.clamp_W > clamp_limit) {
    warn("clamp-loss-high", {Quantity::kClampLoss}, judged.clamp_W, clamp_limit,
         "the " + budget.clamp.name + " dissipates " + NumberText(RoundTo(judged.clamp_W, 2)) +
             " W, more than " + NumberText(100 * kClampShareLimit) + " % of the output power (" +
             NumberText(RoundTo(clamp_limit, 2)) + " W)");
  }
  return findings;
}

std::vector<Finding> CheckOperatingPoints(const LossBudget& budget) {
  std::vector<Finding> findings;
  for (const OperatingPointLosses* p : budget.points()) {
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

std::vector<Finding> CheckDesignAndLosses(const DesignState& design, const LossBudget& budget,
                                          const std::vector<PartStress>& stresses) {
  std::vector<Finding> findings = CheckDesign(design);
  for (std::vector<Finding> more :
       {CheckOperatingPoints(budget), CheckLosses(design.inputs, budget),
        CheckPartStresses(stresses)}) {
    for (Finding& finding : more) findings.push_back(std::move(finding));
  }
  // The operating points' errors join those of the design, before its warnings.
  std::stable_partition(findings.begin(), findings.end(),
                        [](const Finding& f) { return f.severity == Severity::kError; });
  return findings;
}

}  // namespace flyback

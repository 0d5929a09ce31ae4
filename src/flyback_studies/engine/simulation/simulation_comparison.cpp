#include "engine/simulation/simulation_comparison.h"

#include <cmath>
#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/checks/loss_checks.h"
#include "engine/checks/part_stress.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// A figure whose deviation is stated in % of `calculated`.
ComparedFigure Relative(CheckedQuantity quantity, std::string figure, std::string unit,
                        double simulated, double calculated, std::string reference,
                        FigureTolerance tolerance) {
  return {.quantity = quantity,
          .figure = std::move(figure),
          .unit = std::move(unit),
          .simulated = simulated,
          .calculated = calculated,
          .reference = std::move(reference),
          .deviation = 100 * (simulated / calculated - 1),
          .deviation_unit = "%",
          .tolerance = std::move(tolerance)};
}

// An efficiency (shares) within ± `margin_points` percentage points of
// `calculated`.
ComparedFigure Efficiency(CheckedQuantity quantity, std::string figure, double simulated,
                          double calculated, std::string reference, double margin_points) {
  const double calculated_percent = 100 * calculated;
  return {.quantity = quantity,
          .figure = std::move(figure),
          .unit = "%",
          .simulated = 100 * simulated,
          .calculated = calculated_percent,
          .reference = std::move(reference),
          .deviation = 100 * simulated - calculated_percent,
          .deviation_unit = "points",
          .tolerance = PointsTolerance(calculated_percent, margin_points)};
}

// The voltage and the ripple of one winding; an output against its window
// (no lower bound where Umin is 0, none at all where the window is empty),
// the IC supply, which has no window, within kIcSupplyTolerance of U_ic_act.
void AddWinding(const DesignInputs& in, const TransformerDesign& t, const SimulatedOutput& out,
                std::vector<ComparedFigure>& rows) {
  const bool ic = out.winding == 0;
  const CheckedQuantity quantity = ic ? CheckedQuantity{Quantity::kIcSupplyVoltage}
                                      : CheckedQuantity{Quantity::kOutputVoltage, out.winding};
  const double calculated = ic ? IcSupplyVoltage(in, t) : OutputVoltage(in, t, out.winding);
  const std::string name = QuantityName(quantity);
  if (ic) {
    rows.push_back(Relative(quantity, name, "V", out.U_avg_V, calculated, "calculated",
                            ShareTolerance(calculated, kIcSupplyTolerance)));
  } else {
    // The output's voltage window as the user gave it; 0 leaves a side open.
    const auto& wanted = in.output(out.winding);
    FigureBounds window;
    if (wanted.Umax > 0) window.most = wanted.Umax;
    if (wanted.Umin > 0) window.least = wanted.Umin;
    rows.push_back(Relative(quantity, name, "V", out.U_avg_V, calculated, "calculated",
                            RelativeTolerance(calculated, window, "window")));
  }
  const std::string suffix = ic ? "(ic)" : "(" + std::to_string(out.winding) + ")";
  const double limit_V = kRippleLimit * calculated;
  // A ripple has only a limit, stated in volts.
  rows.push_back({.quantity = quantity,
                  .figure = "ripple" + suffix,
                  .unit = "V",
                  .simulated = out.U_ripple_V,
                  .tolerance = {std::nullopt, limit_V,
                                "at most " + NumberText(RoundTo(limit_V, 3)) + " V (" +
                                    NumberText(100 * kRippleLimit) + " % of " + name + ")"}});
}

void AddPoint(const DesignState& s, const OperatingPointLosses& losses, const SimulatedPoint& p,
              std::vector<ComparedFigure>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const OperatingPointFigures& f = p.figures;
  const std::size_t first = rows.size();
  for (const SimulatedOutput& out : f.outputs) AddWinding(in, t, out, rows);

  // The loss budget's operating point stores per period the energy its input
  // power brings in at this very bus voltage: the simulated stage must meet
  // its peak current and its frequency from both sides.
  const CheckedQuantity current{Quantity::kPeakDrainCurrent};
  rows.push_back(Relative(current, "I_pk", "A", f.I_D_peak_A, losses.switching.I_pk_A,
                          "loss budget",
                          ShareTolerance(losses.switching.I_pk_A, kPeakCurrentTolerance)));
  // The calculation's I_D_max bounds the worst case (the current at the
  // valley of the bus ripple, the times at the crest): the stage may stay
  // below it, not above.
  const double I_D_max = in.fixed_freq ? t.I_D_max_fix : t.I_D_max;
  rows.push_back(Relative(
      current, in.fixed_freq ? "I_D_max_fix" : "I_D_max", "A", f.I_D_peak_A, I_D_max, "worst case",
      RelativeTolerance(I_D_max, {std::nullopt, I_D_max * (1 + kPeakCurrentTolerance)})));

  const CheckedQuantity frequency{Quantity::kFrequency};
  const double f_budget_kHz = 1000 / losses.switching.period_us;
  rows.push_back(Relative(frequency, "f_sw", "kHz", f.f_sw_kHz, f_budget_kHz, "loss budget",
                          ShareTolerance(f_budget_kHz, kFrequencyTolerance)));
  // fsntmin is the worst case too: the stage switches faster where it needs
  // less current. At a fixed frequency the budget's period is the clock's.
  if (!in.fixed_freq) {
    rows.push_back(Relative(
        frequency, "fsntmin", "kHz", f.f_sw_kHz, t.fsntmin, "worst case",
        RelativeTolerance(t.fsntmin, {t.fsntmin * (1 - kFrequencyTolerance), std::nullopt})));
  }

  rows.push_back(Relative({Quantity::kDrainVoltage}, "U_D_max", "V", f.U_D_peak_V, t.U_D_max,
                          "calculated",
                          RelativeTolerance(t.U_D_max, {std::nullopt, in.U_D_lim}, "U_D_lim")));
  // The part-stress rule judges the budget's drain peak at this point against
  // the MOSFET's derated rating; the simulated peak must keep the same rule.
  const double rating_V = MosfetRating_V(s.components.mosfet);
  if (rating_V > 0) {
    rows.push_back(Relative(
        {Quantity::kPartStress}, "U_D_peak", "V", f.U_D_peak_V, losses.drain_peak_V, "loss budget",
        RelativeTolerance(
            losses.drain_peak_V, {std::nullopt, kMosfetVoltageDerating * rating_V},
            NumberText(100 * kMosfetVoltageDerating) + " % of " + NumberText(rating_V) + " V")));
  }

  // The same circuit at the same operating point: the simulated efficiency
  // must meet the budget's within the margin the loss checks allow the
  // assumed one. The netlist's bus is a DC source behind the bridge; the
  // budget's bridge loses 2·U_F·P_in/(U_mains·k_valley), a fixed share of the
  // input power, so the simulated stage gets the same bridge in front of it:
  // its input power grows by that share. docs/simulation.md states what
  // else still differs.
  const double bridge_share = losses.bridge_W / losses.switching.P_in_W;
  rows.push_back(Efficiency({Quantity::kEfficiency}, "eta_computed",
                            f.efficiency / (1 + bridge_share), losses.efficiency, "loss budget",
                            kEfficiencyMarginPoints));
  for (std::size_t i = first; i < rows.size(); ++i) {
    ComparedFigure& row = rows[i];
    row.point = p.name;
    row.within = row.tolerance.Admits(row.simulated);
    row.judged = f.settled;
  }
}

// The allowed range of `row`'s simulated figure: "95 V to 105 V",
// "at most 600 V".
std::string AllowedRange(const ComparedFigure& row) {
  const auto figure = [&row](double x) { return SignedNumberText(RoundTo(x, 3)) + " " + row.unit; };
  const FigureTolerance& t = row.tolerance;
  if (t.least && t.most) return figure(*t.least) + " to " + figure(*t.most);
  if (t.most) return "at most " + figure(*t.most);
  return "at least " + figure(*t.least);
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
  // A point that did not settle is named once; its figures are not judged.
  for (const SimulatedPoint& p : comparison.points) {
    if (p.figures.settled) continue;
    findings.push_back({Severity::kWarning,
                        std::string(kSimulationNotSettled),
                        {Quantity::kBusVoltage},
                        p.figures.U_bus_V,
                        p.figures.U_bus_V,
                        "the simulation at the " + p.name + " did not settle in " +
                            std::to_string(p.figures.periods_simulated) +
                            " periods; its figures are not compared"});
  }
  for (const ComparedFigure& row : comparison.figures) {
    if (!row.Outside()) continue;
    const FigureTolerance& t = row.tolerance;
    const bool low = t.least && row.simulated < *t.least;
    std::string message = "the simulation at the ";
    message += row.point;
    message += " gives ";
    message += row.figure;
    message += " = ";
    message += SignedNumberText(RoundTo(row.simulated, 3));
    message += " " + row.unit;
    if (row.calculated) {
      message += " against " + SignedNumberText(RoundTo(*row.calculated, 3)) + " " + row.unit +
                 " (" + row.reference + ")";
    }
    // A ripple's tolerance is its allowed range already.
    message += "; allowed " + AllowedRange(row);
    if (row.deviation) message += " (" + t.text + ")";
    findings.push_back({Severity::kWarning, std::string(kSimulationDisagrees), row.quantity,
                        row.simulated, low ? *t.least : *t.most, std::move(message)});
  }
  for (Finding& finding : CheckLoadPoints(comparison.load_points)) {
    findings.push_back(std::move(finding));
  }
  return findings;
}

}  // namespace flyback

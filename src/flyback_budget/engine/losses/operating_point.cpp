#include "engine/losses/operating_point.h"

#include <cmath>
#include <optional>
#include <utility>

#include "base/numbers/units.h"
#include "engine/losses/core_loss.h"
#include "engine/losses/fixed_point_step.h"
#include "engine/losses/output_capacitor_esr.h"
#include "engine/losses/semiconductor_loss.h"
#include "engine/losses/thermal.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// Steps of the search for the input power at most: the secant needs 4 or 5
// where the losses are smooth in the power, and even plain steps, which
// close in by the losses' share of the change (a few tenths), a dozen or so.
inline constexpr int kMostFixedPointSteps = 100;
// Relative change of the input power at which the fixed point counts as met.
inline constexpr double kFixedPointTolerance = 1e-9;
// Input power over output power beyond which the iteration stops: losses
// nine times the output mean no operating point (they grow with the power
// faster than it, and the iteration would run away).
inline constexpr double kRunawayInputOverOutput = 10;
// A 1 % leakage, the unit the clamp loss is also given in.
inline constexpr double kOnePercent = 0.01;

// The ramp of the same rms as a trapezoid from r·I up to I over the same
// time: √(1 + r + r²)·I. Exact for the DC resistance; for the harmonics of a
// continuous-mode current an approximation (docs/losses-models.md).
double RmsEquivalentRampFactor(const SwitchingPoint& p) {
  const double r = p.I_start_A / p.I_pk_A;
  return std::sqrt(1 + r + r * r);
}

// The shapes of the windings' currents, kept from one trial of a point's
// search to the next: the primary's ramp in t_on, the secondaries' in t_off.
struct CurrentShapes {
  KeptSpectrum primary, secondary;
};

// The windings' and core's losses while the stage switches, times the share
// of the time it does (burst_duty); the outputs draw `output_share` of their
// Imax on average, so during the bursts that share over the duty.
void AddTransformerLosses(const DesignInputs& in, const std::vector<BudgetWinding>& windings,
                          const LossCore& core, const LossAssumptions& a, double output_share,
                          CurrentShapes& shapes, OperatingPointLosses& losses) {
  const SwitchingPoint& p = losses.switching;
  const double f_Hz = kHertzPerKilohertz * kMicrosecondsPerMillisecond / p.period_us;
  const SteinmetzSet& set = SteinmetzRangeFor(core.material.ranges, f_Hz).set;
  const double B_swing_mT = p.B_max_mT * (p.I_pk_A - p.I_start_A) / p.I_pk_A;
  losses.core_density_W_per_m3 =
      FlybackCoreLossDensity(set, B_swing_mT, p.t_on_us, p.t_off_us, p.period_us, a.T_core_C);
  losses.core_W = CoreLoss(*losses.core_density_W_per_m3, core.geometry.V_e_mm3) * p.burst_duty;

  // The primary conducts during t_on, every secondary during t_off: two
  // current shapes for all windings.
  const RampPulseSpectrum& primary =
      SpectrumOf({1, p.t_on_us, p.period_us}, a.harmonics, shapes.primary);
  const RampPulseSpectrum& secondary =
      SpectrumOf({1, p.t_off_us, p.period_us}, a.harmonics, shapes.secondary);
  const double ramp_factor = RmsEquivalentRampFactor(p);
  const double r = p.I_start_A / p.I_pk_A;
  const double sqrt_f = std::sqrt(f_Hz);
  const double I_out_per_Imax = p.burst_duty > 0 ? output_share / p.burst_duty : 0;
  losses.windings.reserve(windings.size());
  std::vector<double> loss_factors;  // per Ω and A² of the peak, by winding
  loss_factors.reserve(windings.size());
  double copper_W = 0;
  for (const BudgetWinding& w : windings) {
    // The primary's current rises to I_pk in t_on; a secondary's falls from
    // its peak to r times it in t_off and averages Imax.
    const bool is_primary = w.output == 0;
    const double I_peak_A =
        ramp_factor * (is_primary ? p.I_pk_A
                                  : 2 * in.output(w.output).Imax * I_out_per_Imax * p.period_us /
                                        (p.t_off_us * (1 + r)));
    loss_factors.push_back(w.same_loss_factor_as ? loss_factors[*w.same_loss_factor_as]
                                                 : WindingLossPerOhmAndSquareAmpere(
                                                       w.layers, w.penetration_at_1_Hz * sqrt_f,
                                                       is_primary ? primary : secondary));
    const double P_W = w.R_dc_ohm * I_peak_A * I_peak_A * loss_factors.back() * p.burst_duty;
    // The ramp of that peak over its conduction time has I_peak²·t/(3·T)
    // as its square rms, in bursts for their share of the time; a winding
    // without current (Imax 0) keeps R_dc.
    const double t_pulse_us = is_primary ? p.t_on_us : p.t_off_us;
    const double I_rms2_A2 = I_peak_A * I_peak_A * t_pulse_us / (3 * p.period_us) * p.burst_duty;
    const double R_ac_ohm = I_rms2_A2 > 0 ? P_W / I_rms2_A2 : w.R_dc_ohm;
    losses.windings.push_back({w.name, w.layers, w.R_dc_ohm, P_W, R_ac_ohm});
    copper_W += P_W;
  }
  losses.transformer_W = *losses.core_W + copper_W;
  losses.transformer_rise_K =
      TransformerTemperatureRise(*losses.transformer_W, core.geometry.V_e_mm3);
}

// How the MOSFET turns on at the point: in the valley when free running, at
// the bus where the drain rings about it at a fixed frequency, and with the
// secondary still conducting in continuous mode.
TurnOn TurnOnAt(const SwitchingPoint& p) {
  switch (p.mode) {
    case SwitchingMode::kBoundary:
      return TurnOn::kValley;
    case SwitchingMode::kDiscontinuous:
      return TurnOn::kHard;
    case SwitchingMode::kContinuous:
      return TurnOn::kConducting;
  }
  return TurnOn::kHard;
}

// The losses of the design `s` at the switching point `p`, the outputs
// drawing `demand`, with the budget's core, windings, leakage and clamp;
// `shapes` keeps the currents' harmonics for the next trial. What the
// switching costs counts for the share of the time the stage switches.
OperatingPointLosses PointLosses(const DesignState& s, const SwitchingPoint& p,
                                 const OutputDemand& demand, const LossBudget& budget,
                                 const std::vector<BudgetWinding>& windings, double U_refl_V,
                                 CurrentShapes& shapes) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const LossAssumptions& a = budget.assumptions;
  OperatingPointLosses losses;
  losses.switching = p;
  if (budget.core.core) {
    AddTransformerLosses(in, windings, *budget.core.core, a, demand.output_share, shapes, losses);
  }
  const double d = p.burst_duty;

  losses.mosfet_conduction_W =
      MosfetConductionLoss(s.components.R_DSon, p.I_pk_A, p.I_start_A, p.t_on_us, p.period_us) * d;
  const double f_kHz = kMicrosecondsPerMillisecond / p.period_us;
  const double C_drain_pF = a.C_oss_pF + a.C_drain_extra_pF;
  losses.mosfet_turn_on_W =
      DrainCapacitanceLoss(C_drain_pF, DrainVoltageAtTurnOn(TurnOnAt(p), p.U_bus_V, U_refl_V),
                           f_kHz) *
      d;
  losses.mosfet_turn_off_W =
      TurnOffLoss(p.U_bus_V + U_refl_V, p.I_pk_A, a.t_fall_ns, C_drain_pF, f_kHz) * d;

  for (int i = 1; i <= in.n_sec; ++i) {
    // Outputs of 0 V minimum get no rectifier and no capacitor in the
    // component list.
    if (in.output(i).Umin == 0) continue;
    const double I_out_A = in.output(i).Imax * demand.output_share;
    losses.output_diodes.push_back({i, DiodeConductionLoss(in.U_F_sec, I_out_A)});
    const double ESR_ohm = OutputCapacitorEsr_ohm(in.output(i));
    losses.output_capacitors.push_back({i, ESR_ohm, OutputCapacitorLoss(ESR_ohm, I_out_A, p)});
  }
  // Between bursts the control IC idles on its lower supply current.
  const double I_ic_A = d * a.I_ic_A + (1 - d) * demand.I_ic_idle_A;
  losses.ic_diode_W = DiodeConductionLoss(in.U_F_ic, I_ic_A);
  losses.controller_W = IcSupplyVoltage(in, t) * I_ic_A;
  losses.bridge_W = in.dc_input ? 0 : BridgeRectifierLoss(a.U_F_bridge_V, p.I_in_avg_A);
  losses.clamp = ClampAt(budget.clamp, budget.leakage.L_lk_uH, p, U_refl_V);
  losses.clamp.P_W *= d;
  losses.clamp_W_at_1_percent = ClampAt(budget.clamp, kOnePercent * t.L_prim, p, U_refl_V).P_W * d;
  losses.drain_peak_V = losses.clamp.drain_peak_V;

  losses.total_W = losses.transformer_W.value_or(0) + losses.mosfet_conduction_W +
                   losses.mosfet_turn_on_W + losses.mosfet_turn_off_W + losses.ic_diode_W +
                   losses.controller_W + losses.bridge_W + losses.clamp.P_W;
  for (const OutputDiodeTerm& diode : losses.output_diodes) losses.total_W += diode.P_W;
  for (const OutputCapacitorTerm& capacitor : losses.output_capacitors) {
    losses.total_W += capacitor.P_W;
  }
  losses.efficiency = Efficiency(in.P_out_max * demand.output_share, losses.total_W);
  return losses;
}

}  // namespace

OperatingPointLosses ConsistentPoint(std::string name, const DesignState& s,
                                     const PointInput& input, const OutputDemand& demand,
                                     const LossBudget& budget,
                                     const std::vector<BudgetWinding>& windings,
                                     const SwitchingLaw& law) {
  const SwitchingStage stage = StageOf(s.inputs, s.transformer, input.U_mains_V);
  const double P_out_W = s.inputs.P_out_max * demand.output_share;
  double P_in_W = s.inputs.P_in_max * demand.output_share;
  std::optional<FixedPointTrial> before;
  CurrentShapes shapes;
  OperatingPointLosses losses;
  for (int step = 1; step <= kMostFixedPointSteps; ++step) {
    losses = PointLosses(s, law(stage, input.U_bus_V, P_in_W), demand, budget, windings,
                         stage.U_refl_V, shapes);
    losses.switching.fixed_point_steps = step;
    const double next_W = P_out_W + losses.total_W;
    if (!(next_W <= kRunawayInputOverOutput * s.inputs.P_out_max)) {
      losses.switching.fixed_point_met = false;
      break;
    }
    const FixedPointTrial last{P_in_W, next_W - P_in_W};
    if (std::abs(last.residual_W) <= kFixedPointTolerance * P_in_W) break;
    P_in_W = NextFixedPointTrial(last, before);
    before = last;
  }
  losses.name = std::move(name);
  return losses;
}

}  // namespace flyback

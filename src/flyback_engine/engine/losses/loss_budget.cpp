#include "engine/losses/loss_budget.h"

#include <algorithm>
#include <cmath>

#include "base/numbers/rounding.h"
#include "base/numbers/units.h"
#include "engine/inputs/mains.h"
#include "engine/losses/core_loss.h"
#include "engine/losses/semiconductor_loss.h"
#include "engine/losses/thermal.h"
#include "engine/losses/winding_loss.h"
#include "engine/transformer/core_catalogue.h"
#include "engine/transformer/magnetics.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/switching_period.h"
#include "engine/transformer/winding_values.h"
#include "engine/transformer/wire.h"

namespace flyback {

namespace {

// mm², the least cross-section the winding table states (it rounds to
// 0.01 mm²; d = 0.11 mm). A winding of so little current that the table
// sizes it at 0.00 mm² is still wound of copper: of this much, not of none,
// which would have an infinite resistance.
inline constexpr double kLeastCrossSection_mm2 = 0.01;

}  // namespace

Copper CopperOf(const DesignInputs& in, double cross_section_mm2) {
  if (WiresMode(in) && in.A_wire > 0) {
    const double wires = WireCount(cross_section_mm2, in.A_wire);
    return {wires * in.A_wire, in.d_wire, CountAsInt(wires)};
  }
  const double A_cu_mm2 = std::max(cross_section_mm2, kLeastCrossSection_mm2);
  return {A_cu_mm2, std::sqrt(A_cu_mm2 / kWirePi) * 2, 1};
}

namespace {

// The catalogue row of a slot-type transformer by its stored name.
std::optional<int> SlotChoiceNamed(const std::string& name) {
  for (const SlotTransformer& row : kSlotTransformers) {
    if (row.stored_name == name) return row.choice;
  }
  return std::nullopt;
}

// The design point as the calculation states it: the worst case it
// dimensions for, with the peak current at the valley of the bus ripple and
// the times at the crest of the lowest mains voltage. At a fixed frequency
// the switch runs at f_fix_min with the longer on-time and higher peak
// current and flux that the calculation gives for it.
SwitchingPoint DesignPoint(const DesignInputs& in, const TransformerDesign& t) {
  SwitchingPoint p;
  p.U_bus_V = MainsPeak(in.U_mains_min);
  p.I_in_avg_A = t.I_in_avg;
  if (in.fixed_freq) {
    const double factor = FixedFrequencyFactor(in, t);
    p.I_pk_A = t.I_D_max_fix;
    p.t_on_us = t.t_on_fix;
    p.t_off_us = t.t_off * factor;
    p.period_us = PeriodOf(in.f_fix_min);
    p.B_max_mT = MagnetizationAtFixedFrequency(in, t);
  } else {
    p.I_pk_A = t.I_D_max;
    p.t_on_us = t.t_on;
    p.t_off_us = t.t_off;
    p.period_us = PeriodOf(t.fsntmin);
    p.B_max_mT = t.Bmax;
  }
  return p;
}

// The highest input voltage at full input power, at the crest of the bus
// (U_bus_max): free running in boundary operation, where
// P_in = ½·I_pk/((1/U_bus + 1/U_refl)·k_T); at a fixed frequency in
// discontinuous operation at f_fix_min, where P_in = ½·L·I_pk²·f. The flux
// grows in proportion to the current on the same turns.
SwitchingPoint HighestInputPoint(const DesignInputs& in, const TransformerDesign& t,
                                 double U_refl_V) {
  SwitchingPoint p;
  p.U_bus_V = t.U_bus_max;
  p.I_in_avg_A = in.P_in_max / (in.U_mains_max * in.k_valley);
  if (in.fixed_freq) {
    p.period_us = PeriodOf(in.f_fix_min);
    // µH·kHz is 1e-3 H/s: I = √(2·P/(L·f)) with the factor 1000.
    p.I_pk_A = std::sqrt(2 * in.P_in_max * kMicrosecondsPerMillisecond / (t.L_prim * in.f_fix_min));
  } else {
    p.I_pk_A = 2 * in.P_in_max * in.k_T * (1 / p.U_bus_V + 1 / U_refl_V);
  }
  p.t_on_us = t.L_prim * p.I_pk_A / p.U_bus_V;
  p.t_off_us = t.L_prim * p.I_pk_A / U_refl_V;
  if (!in.fixed_freq) {
    const TransformerDesign times{.t_on = p.t_on_us, .t_off = p.t_off_us};
    p.period_us = ConductingTime(times) * in.k_T;
  }
  p.B_max_mT = t.Bmax * p.I_pk_A / t.I_D_max;
  return p;
}

// `spectrum` is the shape of the winding's current: a ramp of peak I_peak_A
// (A) in the period period_us (µs).
WindingLossTerm WindingTerm(std::string name, double turns, const Copper& copper, double I_peak_A,
                            const RampPulseSpectrum& spectrum, double period_us,
                            const LossCore& core, const LossAssumptions& a) {
  WindingLossTerm term;
  term.winding = std::move(name);
  term.layers =
      LayerCount(turns, copper.parallel_wires, copper.d_wire_mm, core.geometry.bobbin_width_mm);
  term.R_dc_ohm =
      DcResistance(turns, core.geometry.mean_turn_length_mm, copper.A_cu_mm2, a.T_winding_C);
  const double f_Hz = kHertzPerKilohertz * kMicrosecondsPerMillisecond / period_us;
  const double penetration = DowellPenetrationRatio(copper.d_wire_mm, WirePitch(copper.d_wire_mm),
                                                    CopperResistivity(a.T_winding_C), f_Hz);
  term.P_W = WindingLoss(term.R_dc_ohm, term.layers, penetration, I_peak_A, spectrum);
  return term;
}

void AddTransformerLosses(const DesignInputs& in, const TransformerDesign& t, const LossCore& core,
                          const LossAssumptions& a, OperatingPointLosses& losses) {
  const SwitchingPoint& p = losses.switching;
  const double f_Hz = kHertzPerKilohertz * kMicrosecondsPerMillisecond / p.period_us;
  const SteinmetzSet& set = SteinmetzRangeFor(core.material.ranges, f_Hz).set;
  losses.core_density_W_per_m3 =
      FlybackCoreLossDensity(set, p.B_max_mT, p.t_on_us, p.t_off_us, p.period_us, a.T_core_C);
  losses.core_W = CoreLoss(*losses.core_density_W_per_m3, core.geometry.V_e_mm3);

  const WindingValues values = ComputeWindingValues(in, t);
  // The primary conducts during t_on, every secondary during t_off: two
  // current shapes for all windings.
  const RampPulseSpectrum primary = SpectrumOf({1, p.t_on_us, p.period_us}, a.harmonics);
  const RampPulseSpectrum secondary = SpectrumOf({1, p.t_off_us, p.period_us}, a.harmonics);
  losses.windings.push_back(WindingTerm("primary", RoundTo(t.n_prim, 0),
                                        CopperOf(in, values.A_prim), p.I_pk_A, primary, p.period_us,
                                        core, a));
  for (int i = 1; i <= in.n_sec; ++i) {
    // The secondary current falls from its peak to 0 in t_off and averages Imax.
    const double I_peak = 2 * in.output(i).Imax * p.period_us / p.t_off_us;
    losses.windings.push_back(WindingTerm("output " + std::to_string(i), t.n_out(i),
                                          CopperOf(in, values.output(i).A_sec), I_peak, secondary,
                                          p.period_us, core, a));
  }
  double copper_W = 0;
  for (const WindingLossTerm& term : losses.windings) copper_W += term.P_W;
  losses.transformer_W = *losses.core_W + copper_W;
  losses.transformer_rise_K =
      TransformerTemperatureRise(*losses.transformer_W, core.geometry.V_e_mm3);
}

// The conduction loss of the result screen's formula with the peak current
// and times of another point; its period t_on + t_off is the switching
// period without the period factor, as the calculation counts it.
double ConductionLossAt(const DesignState& s, const SwitchingPoint& p) {
  TransformerDesign at_point = s.transformer;
  at_point.I_D_max = p.I_pk_A;
  at_point.t_on = p.t_on_us;
  at_point.t_off = p.period_us / s.inputs.k_T - p.t_on_us;
  return ConductionLoss(at_point, s.components.R_DSon);
}

OperatingPointLosses PointLosses(std::string name, const DesignState& s, const SwitchingPoint& p,
                                 double mosfet_conduction_W, const LossBudget& budget,
                                 double U_refl_V) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const LossAssumptions& a = budget.assumptions;
  OperatingPointLosses losses;
  losses.name = std::move(name);
  losses.switching = p;
  if (budget.core.core) AddTransformerLosses(in, t, *budget.core.core, a, losses);

  losses.mosfet_conduction_W = mosfet_conduction_W;
  const TurnOn turn_on = in.fixed_freq ? TurnOn::kHard : TurnOn::kValley;
  const double f_kHz = kMicrosecondsPerMillisecond / p.period_us;
  losses.mosfet_turn_on_W =
      DrainCapacitanceLoss(a.C_drain_pF, DrainVoltageAtTurnOn(turn_on, p.U_bus_V, U_refl_V), f_kHz);

  for (int i = 1; i <= in.n_sec; ++i) {
    // Outputs of 0 V minimum get no rectifier in the component list.
    if (in.output(i).Umin == 0) continue;
    losses.output_diodes.push_back({i, DiodeConductionLoss(in.U_F_sec, in.output(i).Imax)});
  }
  losses.ic_diode_W = DiodeConductionLoss(in.U_F_ic, a.I_ic_A);
  losses.bridge_W = in.dc_input ? 0 : BridgeRectifierLoss(a.U_F_bridge_V, p.I_in_avg_A);
  losses.clamp_W = ClampLoss(budget.leakage_uH, p.I_pk_A, f_kHz, budget.clamp_voltage_V, U_refl_V);

  losses.total_W = losses.transformer_W.value_or(0) + losses.mosfet_conduction_W +
                   losses.mosfet_turn_on_W + losses.ic_diode_W + losses.bridge_W + losses.clamp_W;
  for (const OutputDiodeTerm& diode : losses.output_diodes) losses.total_W += diode.P_W;
  losses.efficiency = Efficiency(in.P_out_max, losses.total_W);
  return losses;
}

}  // namespace

LossCoreChoice ChooseLossCore(const DesignInputs& in, const UserCoreData* user) {
  if (user != nullptr) return {LossCore{user->Geometry(), user->Material(), false}, ""};
  if (in.tr_type == "2") {
    const std::optional<int> choice = SlotChoiceNamed(in.tr_name);
    const std::optional<CoreGeometry> geometry =
        choice ? GeometryForSlotTransformer(*choice) : std::nullopt;
    if (geometry) return {LossCore{*geometry, MaterialForSlotTransformer(*choice), true}, ""};
    return {std::nullopt, "the slot-type transformer has no geometry in the data"};
  }
  if (in.tr_type == "3") {
    const GeometryEstimate estimate = EstimatedGeometryForAe(in.Ae);
    if (estimate.geometry) return {LossCore{*estimate.geometry, DefaultMaterial(), true}, ""};
    return {std::nullopt, estimate.reason};
  }
  const std::optional<CoreGeometry> geometry = GeometryForLayerCore(in.tr_name);
  if (geometry) return {LossCore{*geometry, MaterialForLayerCore(in.tr_name), false}, ""};
  return {std::nullopt, "the layer core has no geometry in the data"};
}

LossBudget ComputeLossBudget(const DesignState& s, const UserCoreData* user,
                             const LossAssumptions& assumptions) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  LossBudget budget;
  budget.assumptions = assumptions;
  budget.core = ChooseLossCore(in, user);
  budget.assumed_efficiency = in.eta;
  budget.leakage_uH = assumptions.leakage_share * t.L_prim;
  budget.clamp_voltage_V = DefaultClampVoltage(in.U_D_lim, t.U_bus_max);
  const double U_refl_V = ReflectedVoltage(t.n_prim, t.U_ts);
  // At the design point the MOSFET loses what the result screen says.
  budget.lowest_input = PointLosses("lowest input voltage", s, DesignPoint(in, t),
                                    ShownResultFigures(s).conduction_loss_W, budget, U_refl_V);
  const SwitchingPoint highest = HighestInputPoint(in, t, U_refl_V);
  budget.highest_input = PointLosses("highest input voltage", s, highest,
                                     ConductionLossAt(s, highest), budget, U_refl_V);
  return budget;
}

}  // namespace flyback

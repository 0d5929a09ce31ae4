#include "engine/efficiency/light_load_control.h"

#include <algorithm>
#include <cmath>

#include "engine/transformer/switching_period.h"

namespace flyback {

namespace {

// A discontinuous pulse of peak current I_pk_A (A) every period_us (µs) at
// the bus voltage U_bus_V (V), the stage drawing P_in_W (W) on average. It
// turns on in a valley, as the free-running controller does.
SwitchingPoint PulseOf(const SwitchingStage& stage, double U_bus_V, double P_in_W, double I_pk_A,
                       double period_us) {
  SwitchingPoint p;
  p.U_bus_V = U_bus_V;
  p.P_in_W = P_in_W;
  p.mode = stage.fixed_frequency ? SwitchingMode::kDiscontinuous : SwitchingMode::kBoundary;
  p.I_pk_A = I_pk_A;
  p.t_on_us = stage.L_prim_uH * I_pk_A / U_bus_V;
  p.t_off_us = stage.L_prim_uH * I_pk_A / stage.U_refl_V;
  p.period_us = std::max(period_us, stage.k_T * (p.t_on_us + p.t_off_us));
  p.B_max_mT = stage.B_per_A_mT * I_pk_A;
  p.I_in_avg_A = P_in_W * stage.I_bridge_per_W_A;
  return p;
}

}  // namespace

SwitchingPoint LightLoadSwitching(const LightLoadAssumptions& a, double I_pk_max_A,
                                  const SwitchingStage& stage, double U_bus_V, double P_in_W) {
  SwitchingPoint p = SwitchingAt(stage, U_bus_V, P_in_W);
  const double T_ceiling_us = PeriodOf(a.f_ceiling_kHz);
  if (!stage.fixed_frequency && p.period_us < T_ceiling_us) {
    // W·µs/µH is A²: the pulse that stores P_in in each period of the ceiling.
    p = PulseOf(stage, U_bus_V, P_in_W, std::sqrt(2 * P_in_W * T_ceiling_us / stage.L_prim_uH),
                T_ceiling_us);
  }
  const double I_least_A = a.burst_peak_share * I_pk_max_A;
  if (p.I_pk_A >= I_least_A) return p;
  const double T_burst_us = stage.fixed_frequency ? PeriodOf(stage.f_fixed_kHz) : T_ceiling_us;
  SwitchingPoint burst = PulseOf(stage, U_bus_V, P_in_W, I_least_A, T_burst_us);
  // W, what the pulses bring in while the burst lasts: ½·L·I²/T (µH·A²/µs).
  const double P_burst_W = 0.5 * stage.L_prim_uH * I_least_A * I_least_A / burst.period_us;
  burst.burst_duty = std::max(0.0, P_in_W) / P_burst_W;
  return burst;
}

std::string_view LightLoadModeName(const SwitchingStage& stage, const SwitchingPoint& p) {
  if (p.burst_duty < 1) return "burst";
  if (stage.fixed_frequency) return "fixed frequency";
  // Free running the period is k_T·(t_on + t_off) unless valleys are skipped.
  const double natural_us = stage.k_T * (p.t_on_us + p.t_off_us);
  return p.period_us > natural_us * (1 + 1e-9) ? "valley skipping" : "valley switching";
}

}  // namespace flyback

#include "engine/losses/switching_point.h"

#include <cmath>

#include "engine/losses/semiconductor_loss.h"
#include "engine/transformer/switching_period.h"

namespace flyback {

std::string_view SwitchingModeName(SwitchingMode mode) {
  switch (mode) {
    case SwitchingMode::kBoundary:
      return "boundary";
    case SwitchingMode::kDiscontinuous:
      return "discontinuous";
    case SwitchingMode::kContinuous:
      return "continuous";
  }
  return "boundary";
}

SwitchingStage StageOf(const DesignInputs& in, const TransformerDesign& t, double U_mains_V) {
  SwitchingStage stage;
  stage.L_prim_uH = t.L_prim;
  stage.U_refl_V = ReflectedVoltage(t.n_prim, t.U_ts);
  stage.k_T = in.k_T;
  stage.fixed_frequency = in.fixed_freq;
  stage.f_fixed_kHz = in.f_fix_min;
  stage.B_per_A_mT = t.Bmax / t.I_D_max;
  stage.I_bridge_per_W_A = 1 / (U_mains_V * in.k_valley);
  return stage;
}

SwitchingPoint SwitchingAt(const SwitchingStage& stage, double U_bus_V, double P_in_W) {
  SwitchingPoint p;
  p.U_bus_V = U_bus_V;
  p.P_in_W = P_in_W;
  const double L = stage.L_prim_uH;
  const double U_refl = stage.U_refl_V;
  if (!stage.fixed_frequency) {
    p.mode = SwitchingMode::kBoundary;
    p.I_pk_A = 2 * P_in_W * stage.k_T * (1 / U_bus_V + 1 / U_refl);
    p.t_on_us = L * p.I_pk_A / U_bus_V;
    p.t_off_us = L * p.I_pk_A / U_refl;
    p.period_us = stage.k_T * (p.t_on_us + p.t_off_us);
  } else {
    p.period_us = PeriodOf(stage.f_fixed_kHz);
    // W·µs/µH is A².
    p.I_pk_A = std::sqrt(2 * P_in_W * p.period_us / L);
    p.t_on_us = L * p.I_pk_A / U_bus_V;
    p.t_off_us = L * p.I_pk_A / U_refl;
    p.mode = SwitchingMode::kDiscontinuous;
    if (p.t_on_us + p.t_off_us > p.period_us) {
      p.mode = SwitchingMode::kContinuous;
      const double D = U_refl / (U_bus_V + U_refl);
      const double I_mid_A = P_in_W / (U_bus_V * D);
      const double ripple_A = U_bus_V * D * p.period_us / L;
      p.I_pk_A = I_mid_A + ripple_A / 2;
      p.I_start_A = I_mid_A - ripple_A / 2;
      p.t_on_us = D * p.period_us;
      p.t_off_us = p.period_us - p.t_on_us;
    }
  }
  p.B_max_mT = stage.B_per_A_mT * p.I_pk_A;
  p.I_in_avg_A = P_in_W * stage.I_bridge_per_W_A;
  return p;
}

}  // namespace flyback

#include "engine/losses/semiconductor_loss.h"

#include <algorithm>
#include <limits>

#include "base/numbers/units.h"

namespace flyback {

double DrainVoltageAtTurnOn(TurnOn turn_on, double U_bus_V, double U_refl_V) {
  if (turn_on == TurnOn::kHard) return U_bus_V;
  return std::max(0.0, U_bus_V - U_refl_V);
}

double DrainCapacitanceLoss(double C_oss_pF, double U_turn_on_V, double f_kHz) {
  return 0.5 * C_oss_pF * kFaradPerPicofarad * U_turn_on_V * U_turn_on_V * f_kHz *
         kHertzPerKilohertz;
}

double DiodeConductionLoss(double U_F_V, double I_avg_A) {
  return U_F_V * I_avg_A;
}

double BridgeRectifierLoss(double U_F_V, double I_in_avg_A) {
  return 2 * DiodeConductionLoss(U_F_V, I_in_avg_A);
}

double ReflectedVoltage(double n_prim, double U_ts_V) {
  return n_prim * U_ts_V;
}

double DefaultClampVoltage(double U_D_lim_V, double U_bus_max_V) {
  return U_D_lim_V - U_bus_max_V;
}

double ClampLoss(double L_lk_uH, double I_pk_A, double f_kHz, double U_cl_V, double U_refl_V) {
  if (!(U_cl_V > U_refl_V)) return std::numeric_limits<double>::infinity();
  const double leakage_energy_J = 0.5 * L_lk_uH * kHenryPerMicrohenry * I_pk_A * I_pk_A;
  return leakage_energy_J * f_kHz * kHertzPerKilohertz * U_cl_V / (U_cl_V - U_refl_V);
}

}  // namespace flyback

#include "engine/losses/semiconductor_loss.h"

#include <algorithm>

#include "base/numbers/units.h"

namespace flyback {

double DrainVoltageAtTurnOn(TurnOn turn_on, double U_bus_V, double U_refl_V) {
  switch (turn_on) {
    case TurnOn::kValley:
      return std::max(0.0, U_bus_V - U_refl_V);
    case TurnOn::kHard:
      return U_bus_V;
    case TurnOn::kConducting:
      return U_bus_V + U_refl_V;
  }
  return U_bus_V;
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

double MosfetConductionLoss(double R_DSon_ohm, double I_pk_A, double I_start_A, double t_on_us,
                            double period_us) {
  const double I_rms2 =
      (I_pk_A * I_pk_A + I_pk_A * I_start_A + I_start_A * I_start_A) * t_on_us / (3 * period_us);
  return kHotOnResistanceFactor * R_DSon_ohm * I_rms2;
}

double TurnOffLoss(double U_off_V, double I_pk_A, double t_fall_ns, double C_drain_pF,
                   double f_kHz) {
  const double t_f_s = t_fall_ns * kSecondsPerNanosecond;
  const double snubbed_J = I_pk_A * I_pk_A * t_f_s * t_f_s / (24 * C_drain_pF * kFaradPerPicofarad);
  const double unsnubbed_J = 0.5 * U_off_V * I_pk_A * t_f_s;
  return std::min(snubbed_J, unsnubbed_J) * f_kHz * kHertzPerKilohertz;
}

}  // namespace flyback

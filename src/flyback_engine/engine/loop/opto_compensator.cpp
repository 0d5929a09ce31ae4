#include "engine/loop/opto_compensator.h"

#include <numbers>

namespace flyback {

namespace {

// Hz of a corner R·C with R in kOhm and C in nF: 1/(2π·kOhm·nF) = 1e6/(2π) Hz.
constexpr double kHertzPerInverseKiloOhmNanofarad = 1e6;

double Corner_Hz(double R_kOhm, double C_nF) {
  return kHertzPerInverseKiloOhmNanofarad / (2 * std::numbers::pi * R_kOhm * C_nF);
}

}  // namespace

double CompensatorZero_Hz(const OptoCompensator& c) {
  return Corner_Hz(c.R_up_kOhm + c.R_z_kOhm, c.C_z_nF);
}

double CompensatorPole_Hz(const OptoCompensator& c, const LoopAssumptions& a) {
  return Corner_Hz(a.R_pullup_kOhm, c.C_pole_nF + a.C_opto_nF);
}

GainPhase CompensatorResponse(const OptoCompensator& c, double CTR, const LoopAssumptions& a,
                              double f_Hz) {
  const double f_z = CompensatorZero_Hz(c);
  return Factor(CTR * a.R_pullup_kOhm / c.R_LED_kOhm) +
         Factor((c.R_up_kOhm + c.R_z_kOhm) / c.R_up_kOhm) + LeftZero(f_Hz, f_z) +
         OriginPole(f_Hz, f_z) + LeftPole(f_Hz, CompensatorPole_Hz(c, a));
}

double LedResistorMax_kOhm(double U_out_V, const LoopAssumptions& a) {
  // kOhm and mA give V.
  const double I_LED_mA = (a.U_pullup_V - a.U_CE_sat_V) / (a.R_pullup_kOhm * a.CTR_min);
  return (U_out_V - a.U_F_LED_V - a.U_KA_min_V) / (I_LED_mA + a.I_bias_mA);
}

}  // namespace flyback

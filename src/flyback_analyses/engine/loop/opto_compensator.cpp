#include "engine/loop/opto_compensator.h"

#include <complex>
#include <numbers>

namespace flyback {

namespace {

// Hz of a corner R·C with R in kOhm and C in nF: 1/(2π·kOhm·nF) = 1e6/(2π) Hz.
constexpr double kHertzPerInverseKiloOhmNanofarad = 1e6;

double Corner_Hz(double R_kOhm, double C_nF) {
  return kHertzPerInverseKiloOhmNanofarad / (2 * std::numbers::pi * R_kOhm * C_nF);
}

// kOhm, the impedance of C_nF at f_Hz.
std::complex<double> CapacitorImpedance_kOhm(double C_nF, double f_Hz) {
  return kHertzPerInverseKiloOhmNanofarad /
         std::complex<double>(0, 2 * std::numbers::pi * f_Hz * C_nF);
}

// 1 + Z_f/R_up: the regulator's share of the LED current per output volt,
// in units of 1/R_LED.
std::complex<double> RegulatorTerm(const OptoCompensator& c, double f_Hz) {
  std::complex<double> Z_f_kOhm = c.R_z_kOhm + CapacitorImpedance_kOhm(c.C_z_nF, f_Hz);
  if (c.C_p_nF > 0) {
    const std::complex<double> Z_p_kOhm = CapacitorImpedance_kOhm(c.C_p_nF, f_Hz);
    Z_f_kOhm = Z_f_kOhm * Z_p_kOhm / (Z_f_kOhm + Z_p_kOhm);
  }
  return 1.0 + Z_f_kOhm / c.R_up_kOhm;
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
  return Factor(CTR * a.R_pullup_kOhm / c.R_LED_kOhm) + ComplexTerm(RegulatorTerm(c, f_Hz)) +
         LeftPole(f_Hz, CompensatorPole_Hz(c, a));
}

double LedResistorMax_kOhm(double U_out_V, const LoopAssumptions& a) {
  // kOhm and mA give V.
  const double I_LED_mA = (a.U_pullup_V - a.U_CE_sat_V) / (a.R_pullup_kOhm * a.CTR_min);
  return (U_out_V - a.U_F_LED_V - a.U_KA_min_V) / (I_LED_mA + a.I_bias_mA);
}

}  // namespace flyback

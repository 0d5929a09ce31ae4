#include "engine/loop/opto_compensator.h"

#include <complex>
#include <numbers>

#include "engine/loop/shunt_regulator.h"

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

// kOhm, Z_f: R_z and C_z in series, C_p across them.
std::complex<double> FeedbackImpedance_kOhm(const OptoCompensator& c, double f_Hz) {
  std::complex<double> Z_f_kOhm = c.R_z_kOhm + CapacitorImpedance_kOhm(c.C_z_nF, f_Hz);
  if (c.C_p_nF > 0) {
    const std::complex<double> Z_p_kOhm = CapacitorImpedance_kOhm(c.C_p_nF, f_Hz);
    Z_f_kOhm = Z_f_kOhm * Z_p_kOhm / (Z_f_kOhm + Z_p_kOhm);
  }
  return Z_f_kOhm;
}

// The fast lane's gain with the feedback pin's pole; the regulator's share
// of the LED current multiplies it.
GainPhase FastLaneWithPole(const OptoCompensator& c, double CTR, const LoopAssumptions& a,
                           double f_Hz) {
  return Factor(CTR * a.R_pullup_kOhm / c.R_LED_kOhm) + LeftPole(f_Hz, CompensatorPole_Hz(c, a));
}

}  // namespace

double CompensatorZero_Hz(const OptoCompensator& c) {
  return Corner_Hz(c.R_up_kOhm + c.R_z_kOhm, c.C_z_nF);
}

double CompensatorPole_Hz(const OptoCompensator& c, const LoopAssumptions& a) {
  return Corner_Hz(a.R_pullup_kOhm, c.C_pole_nF + a.C_opto_nF);
}

GainPhase CompensatorResponse(const OptoCompensator& c, double CTR, const LoopAssumptions& a,
                              double divider_ratio, double f_Hz) {
  const std::complex<double> Z_f_kOhm = FeedbackImpedance_kOhm(c, f_Hz);
  const std::complex<double> noise_gain = 1.0 + Z_f_kOhm / (c.R_up_kOhm * divider_ratio);
  const std::complex<double> A =
      ShuntRegulatorGainAt(ShuntRegulatorGainOf(c.R_LED_kOhm, a.I_bias_mA), f_Hz);
  // −v_K/v_out: the cathode swings against the output.
  const std::complex<double> cathode = Z_f_kOhm / c.R_up_kOhm / (1.0 + noise_gain / A);
  return FastLaneWithPole(c, CTR, a, f_Hz) + ComplexTerm(1.0 + cathode);
}

GainPhase IdealRegulatorCompensatorResponse(const OptoCompensator& c, double CTR,
                                            const LoopAssumptions& a, double f_Hz) {
  return FastLaneWithPole(c, CTR, a, f_Hz) +
         ComplexTerm(1.0 + FeedbackImpedance_kOhm(c, f_Hz) / c.R_up_kOhm);
}

double LedResistorMax_kOhm(double U_out_V, const LoopAssumptions& a) {
  // kOhm and mA give V.
  const double I_LED_mA = (a.U_pullup_V - a.U_CE_sat_V) / (a.R_pullup_kOhm * a.CTR_min);
  return (U_out_V - a.U_F_LED_V - a.U_KA_min_V) / (I_LED_mA + a.I_bias_mA);
}

}  // namespace flyback

#pragma once

// The type-2 compensator of a shunt regulator driving an opto-coupler, with
// the LED's series resistor fed from the regulated output (the "fast lane").
// The loop's feedback-pin volts per output volt (the inversion of the opto
// left out; the loop closes negatively):
//   G_c(s) = (CTR·R_pu/R_LED)·(1 + Z_f(s)/R_up)/(1 + s/ωp),
//   Z_f = (R_z + 1/(s·C_z)) ∥ 1/(s·C_p),  ωp = 1/(R_pu·(C_pole + C_opto)),
// Z_f the network from the regulator's cathode to its reference, R_up the
// divider's upper resistor R65 (the lower one carries no signal: the
// regulator holds its reference node). Without C_p this is
//   (CTR·R_pu/R_LED)·((R_up + R_z)/R_up)·(1 + s/ωz)/(s/ωz)/(1 + s/ωp),
//   ωz = 1/((R_up + R_z)·C_z):
// below ωz the integrator rules; above it the gain never falls below the
// fast lane's CTR·R_pu/R_LED. C_p pulls Z_f to 0 earlier, above
// 1/(2π·R_z·C_p), towards that same floor.
// That is the ideal regulator's. The regulator's own gain A(s)
// (shunt_regulator.h) must carry the noise gain NG = 1 + Z_f/(R_up ∥ R_low)
// to hold its reference, R_up ∥ R_low = R_up·U_ref/U_out for the divider
// trimmed to the output; its cathode then gives Z_f/R_up divided by
// 1 + NG/A, so that 1 + Z_f/R_up becomes 1 + (Z_f/R_up)/(1 + NG/A).

#include "engine/loop/bode_terms.h"
#include "engine/loop/loop_assumptions.h"

namespace flyback {

struct OptoCompensator {
  double R_up_kOhm = 0;   // kOhm, R65 of the divider
  double R_LED_kOhm = 0;  // kOhm, LED series resistor from the output
  double R_z_kOhm = 0;    // kOhm, in series with C_z, cathode to reference; 0: none
  double C_z_nF = 0;      // nF, the regulator's compensation capacitor
  double C_pole_nF = 0;   // nF, feedback pin to ground; 0: none
  double C_p_nF = 0;      // nF, across R_z and C_z, cathode to reference; 0: none

  friend bool operator==(const OptoCompensator&, const OptoCompensator&) = default;
};

// Hz, 1/(2π·(R_up + R_z)·C_z): the zero where C_p ≪ C_z.
double CompensatorZero_Hz(const OptoCompensator& c);
// Hz, the pole of the pull-up with C_pole and the opto's own capacitance.
double CompensatorPole_Hz(const OptoCompensator& c, const LoopAssumptions& a);

// With the regulator's own gain into R_LED at its least bias; the divider's
// ratio U_ref/U_out.
GainPhase CompensatorResponse(const OptoCompensator& c, double CTR, const LoopAssumptions& a,
                              double divider_ratio, double f_Hz);
// With an ideal regulator: the formula the proposal's values are chosen by.
GainPhase IdealRegulatorCompensatorResponse(const OptoCompensator& c, double CTR,
                                            const LoopAssumptions& a, double f_Hz);

// kOhm, the largest LED resistor that still lets the least CTR pull the
// feedback pin down with the regulator at its least voltage and bias
// (output U_out_V):
//   R_LED,max = (U_out − U_F − U_KA,min)/((U_pu − U_CE,sat)/(R_pu·CTR_min) + I_bias).
double LedResistorMax_kOhm(double U_out_V, const LoopAssumptions& a);

}  // namespace flyback

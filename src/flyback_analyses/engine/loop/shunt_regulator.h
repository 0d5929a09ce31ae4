#pragma once

// The TL431-type shunt regulator's own open-loop gain, from its reference
// input to its cathode, after the simplified device model of the TL431's
// data sheet (ON Semiconductor TL431/D, "Simplified TL431 Device Model" and
// its model values): an input transconductance
//   G_M = 0.3 S + 2.7 S·exp(−I_C/26 mA)
// into R_GM = 1.0 MΩ ∥ C_P1 = 20 pF, driving an output transconductance
// G_o = 1.25 µS per volt into the cathode's load R_load. So
//   A(s) = A_0/(1 + s/ω_1),  A_0 = G_M·R_GM·G_o·R_load,  ω_1 = 1/(R_GM·C_P1)
// (the data sheet's own example: 2.323 S·1.0 MΩ·1.25 µS·2.2 kΩ = 6389; the
// pole at 7.96 kHz). The cathode's load is the LED's series resistor to the
// output: the gain grows with it, which a fixed gain-bandwidth would not
// follow. One model for the analytic loop and both netlists.

#include <complex>

namespace flyback {

struct ShuntRegulatorGain {
  double dc_gain = 0;  // A_0, cathode volts per reference volt
  double pole_Hz = 0;  // Hz, 1/(2π·R_GM·C_P1)
};

// The gain into a cathode load of R_load_kOhm at a cathode current of
// I_C_mA (the regulator's designed least bias).
ShuntRegulatorGain ShuntRegulatorGainOf(double R_load_kOhm, double I_C_mA);

// A(f) = A_0/(1 + j·f/f_1).
std::complex<double> ShuntRegulatorGainAt(const ShuntRegulatorGain& g, double f_Hz);

}  // namespace flyback

#pragma once

// The terms a loop gain is a product of, as gain in dB and phase in degrees
// at one frequency. Products become sums, and the phase is summed term by
// term, so it never wraps at ±180°.

#include <complex>

namespace flyback {

struct GainPhase {
  double gain_dB = 0;
  double phase_deg = 0;
};

GainPhase operator+(GainPhase a, GainPhase b);

// A constant factor k (> 0).
GainPhase Factor(double k);
// 1 + s/ωz, a zero in the left half plane at fz_Hz.
GainPhase LeftZero(double f_Hz, double fz_Hz);
// 1/(1 + s/ωp).
GainPhase LeftPole(double f_Hz, double fp_Hz);
// 1 − s/ωz: the gain of a zero with the phase of a pole.
GainPhase RightZero(double f_Hz, double fz_Hz);
// ω0/s, unity gain at f0_Hz.
GainPhase OriginPole(double f_Hz, double f0_Hz);
// 1/(1 + s/(ωn·Q) + s²/ωn²).
GainPhase DoublePole(double f_Hz, double fn_Hz, double Q);
// A term given by its complex value at one frequency; its phase in
// −180° … 180°, so only for a term whose phase stays inside that.
GainPhase ComplexTerm(std::complex<double> value);

}  // namespace flyback

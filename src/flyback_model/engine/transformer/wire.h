#pragma once

// Round copper wire.

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

// π as the wire tables of the winding calculations have always used it.
inline constexpr double kWirePi = 3.1416;

// mm², cross-section of a round wire of diameter d_wire (mm).
inline double WireCrossSection(double d_wire) {
  return (d_wire / 2) * (d_wire / 2) * kWirePi;
}

// Minimum wire cross-section (mm²) for an rms current (A) at the current
// density J (A/mm²), to 0.01 mm².
inline double CrossSection(double I_rms, double J) {
  return RoundTo(I_rms / J, 2);
}

// Number of parallel wires of cross-section A_wire for a winding of the given
// cross-section (both mm²): the whole part of the ratio plus one, so an exact
// multiple still gets one wire more.
inline double WireCount(double cross_section, double A_wire) {
  return std::floor(cross_section / A_wire) + 1;
}

}  // namespace flyback

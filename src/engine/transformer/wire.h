#pragma once

// Round copper wire.

namespace flyback {

// π as the wire tables of the winding calculations have always used it.
inline constexpr double kWirePi = 3.1416;

// mm², cross-section of a round wire of diameter d_wire (mm).
inline double WireCrossSection(double d_wire) {
  return (d_wire / 2) * (d_wire / 2) * kWirePi;
}

}  // namespace flyback

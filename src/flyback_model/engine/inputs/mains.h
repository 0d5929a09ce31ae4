#pragma once

// The mains sine and the bus voltage rectified from it.

#include <numbers>

namespace flyback {

// Peak over rms value of a sine: the mains peak is √2 times its rms value,
// and a DC input counts as the mains of the same peak.
inline constexpr double kSineCrestFactor = std::numbers::sqrt2;

// V, peak of the mains voltage of the rms value U_mains (V rms).
inline double MainsPeak(double U_mains) {
  return U_mains * kSineCrestFactor;
}

// V, highest bus voltage: the peak of the highest mains voltage U_mains_max
// (V rms), lifted by the bus voltage factor k_U of the PFC charge pump.
inline double BusVoltageMax(double U_mains_max, double k_U) {
  return MainsPeak(U_mains_max) * k_U;
}

}  // namespace flyback

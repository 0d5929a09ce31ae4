#pragma once

// Factors between the engineering units the calculations hold their
// quantities in (V, A, mT, nH, µH, mH, µs, kHz, ...). Each is written where
// the formula had its bare number, in the same place, so every figure is
// computed exactly as before.

namespace flyback {

inline constexpr double kMicrohenryPerNanohenry = 0.001;
inline constexpr double kNanohenryPerMicrohenry = 1000;
inline constexpr double kNanohenryPerMillihenry = 1000000;
// The period in µs of a frequency in kHz is this over the frequency.
inline constexpr double kMicrosecondsPerMillisecond = 1000;
inline constexpr double kMicrosecondsPerNanosecond = 0.001;

// Factors to SI units, for the loss models whose published formulas are
// written in them.
inline constexpr double kSecondsPerMicrosecond = 1e-6;
inline constexpr double kSecondsPerNanosecond = 1e-9;
inline constexpr double kHertzPerKilohertz = 1e3;
inline constexpr double kTeslaPerMillitesla = 1e-3;
inline constexpr double kMetresPerMillimetre = 1e-3;
inline constexpr double kSquareMetresPerSquareMillimetre = 1e-6;
inline constexpr double kCubicMetresPerCubicMillimetre = 1e-9;
inline constexpr double kCubicCentimetresPerCubicMillimetre = 1e-3;
inline constexpr double kHenryPerMicrohenry = 1e-6;
inline constexpr double kFaradPerPicofarad = 1e-12;

}  // namespace flyback

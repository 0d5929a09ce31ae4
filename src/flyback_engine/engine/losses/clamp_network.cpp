#include "engine/losses/clamp_network.h"

#include <cmath>

#include "base/numbers/units.h"

namespace flyback {

namespace {

// The fixed parts of the snubber in the list: C11 33 nF 630 V, R11 2 W, and
// D10, an MUR160 of 600 V.
inline constexpr double kSnubberCapacitor_nF = 33;
inline constexpr double kSnubberCapacitorRating_V = 630;
inline constexpr double kSnubberResistorRating_W = 2;
inline constexpr double kSnubberDiodeRating_V = 600;
// The clamp beside the charge pump: C06 1 nF 1000 V, R06 4.7 kOhm 2 W, and
// D09, an MUR 460 or an STTA506D, both of 600 V.
inline constexpr double kPumpClampCapacitor_nF = 1;
inline constexpr double kPumpClampCapacitorRating_V = 1000;
inline constexpr double kPumpClampResistor_ohm = 4700;
inline constexpr double kPumpClampResistorRating_W = 2;
inline constexpr double kPumpClampDiodeRating_V = 600;
inline constexpr double kOhmPerKiloohm = 1000;
inline constexpr double kFaradPerNanofarad = 1e-9;

}  // namespace

ClampNetwork ClampNetworkOf(const DesignInputs& in, const ComponentValues& c) {
  if (in.PFC) {
    return {"RCD clamp beside the charge pump",
            "D09",
            "C06",
            "R06",
            kPumpClampResistor_ohm,
            kPumpClampCapacitor_nF,
            kPumpClampResistorRating_W,
            kPumpClampCapacitorRating_V,
            kPumpClampDiodeRating_V,
            in.k_os,
            "the charge pump C08, L08, D08 itself: its capacitor is taken to hold the drain at "
            "k_os times the reflected voltage above the bus and to return the leakage energy to "
            "the bus without loss"};
  }
  return {"RCD snubber",
          "D10",
          "C11",
          "R11",
          c.R11 * kOhmPerKiloohm,
          kSnubberCapacitor_nF,
          kSnubberResistorRating_W,
          kSnubberCapacitorRating_V,
          kSnubberDiodeRating_V,
          0,
          ""};
}

ClampPoint ClampAt(const ClampNetwork& network, double L_lk_uH, double I_pk_A, double period_us,
                   double U_refl_V, double U_bus_V) {
  const double C_F = network.C_nF * kFaradPerNanofarad;
  // V², the square of the ring-up the leakage energy alone gives.
  const double ring_V2 = L_lk_uH * kHenryPerMicrohenry * I_pk_A * I_pk_A / C_F;
  const double e = std::exp(-period_us * kSecondsPerMicrosecond / (network.R_ohm * C_F));
  ClampPoint p;
  // Starting below U_refl: U = U_refl + √ring. Starting above (U·e ≥ U_refl):
  // (U − U_refl)² = (U·e − U_refl)² + ring, a quadratic in U.
  p.U_clamp_V = U_refl_V + std::sqrt(ring_V2);
  if (network.held_U_refl_factor > 0) {
    p.U_clamp_V = network.held_U_refl_factor * U_refl_V;
  } else if (p.U_clamp_V * e > U_refl_V) {
    const double a = 1 - e * e;
    const double b = U_refl_V * (1 - e);
    p.U_clamp_V = (b + std::sqrt(b * b + a * ring_V2)) / a;
  }
  p.U_start_V = p.U_clamp_V * e;
  p.P_W = 0.5 * C_F * (p.U_clamp_V * p.U_clamp_V - p.U_start_V * p.U_start_V) /
          (period_us * kSecondsPerMicrosecond);
  p.drain_peak_V = U_bus_V + p.U_clamp_V;
  return p;
}

}  // namespace flyback

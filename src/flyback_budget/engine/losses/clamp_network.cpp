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

ClampPoint ClampAt(const ClampNetwork& network, double L_lk_uH, const SwitchingPoint& s,
                   double U_refl_V) {
  const double C_F = network.C_nF * kFaradPerNanofarad;
  const double tau_s = network.R_ohm * C_F;
  const double period_s = s.period_us * kSecondsPerMicrosecond;
  const double t_dis_s = s.t_off_us * kSecondsPerMicrosecond;
  // V², the square of the ring-up the leakage energy alone gives.
  const double ring_V2 = L_lk_uH * kHenryPerMicrohenry * s.I_pk_A * s.I_pk_A / C_F;
  ClampPoint p;
  // Lifted to U_refl at turn-off, the leakage rings it to U_refl + √ring
  // (or the pump holds it at its factor of U_refl).
  p.U_clamp_V = network.held_U_refl_factor > 0 ? network.held_U_refl_factor * U_refl_V
                                               : U_refl_V + std::sqrt(ring_V2);
  // J, what R takes from the transformer while the diode holds the capacitor.
  double hold_J = 0;
  // s, the decay through R from the peak down to U_refl.
  const double t_down_s = tau_s * std::log(p.U_clamp_V / U_refl_V);
  if (t_down_s < t_dis_s) {
    // Down at U_refl while the secondaries still conduct: the drain sits at
    // U_bus + U_refl, so the diode holds the capacitor there and R loads
    // U_refl for the rest of t_dis; then it decays freely, and the next
    // turn-off lifts it back to U_refl before the ring.
    hold_J = U_refl_V * U_refl_V / network.R_ohm * (t_dis_s - t_down_s);
    p.U_start_V = U_refl_V * std::exp(-(period_s - t_dis_s) / tau_s);
  } else {
    const double e = std::exp(-period_s / tau_s);
    // Still above U_refl at the next turn-off (U·e > U_refl): (U − U_refl)²
    // = (U·e − U_refl)² + ring, a quadratic in U.
    if (network.held_U_refl_factor <= 0 && p.U_clamp_V * e > U_refl_V) {
      const double a = 1 - e * e;
      const double b = U_refl_V * (1 - e);
      p.U_clamp_V = (b + std::sqrt(b * b + a * ring_V2)) / a;
    }
    p.U_start_V = p.U_clamp_V * e;
  }
  p.P_W = (0.5 * C_F * (p.U_clamp_V * p.U_clamp_V - p.U_start_V * p.U_start_V) + hold_J) / period_s;
  p.drain_peak_V = s.U_bus_V + p.U_clamp_V;
  return p;
}

}  // namespace flyback

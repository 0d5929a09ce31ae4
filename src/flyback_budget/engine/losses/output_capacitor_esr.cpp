#include "engine/losses/output_capacitor_esr.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "engine/components/selection_rules.h"

namespace flyback {

namespace {

// The series' largest dissipation factor tan δ at 120 Hz and 20 °C by rated
// voltage: Nichicon PW ("miniature sized, low impedance, high reliability
// for switching power supplies", 105 °C, 6.3 V to 450 V), data-sheet
// table "Tangent of loss angle".
struct DissipationRow {
  double U_rated_V;
  double tan_delta;
};
inline constexpr std::array<DissipationRow, 15> kDissipationFactors = {{
    {6.3, 0.22},
    {10, 0.19},
    {16, 0.16},
    {25, 0.14},
    {35, 0.12},
    {50, 0.10},
    {63, 0.09},
    {100, 0.08},
    {160, 0.15},
    {200, 0.15},
    {250, 0.15},
    {315, 0.20},
    {350, 0.20},
    {400, 0.25},
    {450, 0.25},
}};
// The same table: above 1000 µF add 0.02 for every further 1000 µF.
inline constexpr double kLargeCapacitance_uF = 1000;
inline constexpr double kTanDeltaPerLargeStep = 0.02;
inline constexpr double kTestFrequency_Hz = 120;
// ESR at 100 kHz over ESR at 120 Hz (docs/losses-models.md).
inline constexpr double kEsr100kHzOver120Hz = 0.5;
inline constexpr double kFaradPerMicrofarad = 1e-6;

double TanDeltaAt120Hz(double C_uF, double U_rated_V) {
  const auto row = std::ranges::find_if(kDissipationFactors, [U_rated_V](const DissipationRow& r) {
    return r.U_rated_V >= U_rated_V;
  });
  const double tan_delta =
      row == kDissipationFactors.end() ? kDissipationFactors.back().tan_delta : row->tan_delta;
  const double large_steps = std::max(0.0, C_uF / kLargeCapacitance_uF - 1);
  return tan_delta + kTanDeltaPerLargeStep * large_steps;
}

}  // namespace

double ElectrolyticEsr_ohm(double C_uF, double U_rated_V) {
  const double ESR_120Hz_ohm =
      TanDeltaAt120Hz(C_uF, U_rated_V) /
      (2 * std::numbers::pi * kTestFrequency_Hz * C_uF * kFaradPerMicrofarad);
  return kEsr100kHzOver120Hz * ESR_120Hz_ohm;
}

double OutputCapacitorEsr_ohm(const OutputSpec& out) {
  const CapacitorChoice listed = ListedOutputCapacitor(out);
  return ElectrolyticEsr_ohm(listed.C, listed.U_rating);
}

double OutputCapacitorLoss(double ESR_ohm, double I_out_A, const SwitchingPoint& s) {
  if (!(s.burst_duty > 0) || !(s.t_off_us > 0) || !(s.I_pk_A > 0)) return 0;
  const double r = s.I_start_A / s.I_pk_A;
  // The trapezoid from I_peak down to r·I_peak over t_off averages
  // I_out/burst_duty over the period.
  const double I_peak_A = 2 * I_out_A / s.burst_duty * s.period_us / (s.t_off_us * (1 + r));
  const double I_rms2_A2 =
      s.burst_duty * I_peak_A * I_peak_A * (1 + r + r * r) / 3 * s.t_off_us / s.period_us;
  return ESR_ohm * std::max(0.0, I_rms2_A2 - I_out_A * I_out_A);
}

}  // namespace flyback

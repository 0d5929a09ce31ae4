#include "components/ic_network.h"

#include <cmath>
#include <numbers>

#include "components/standard_values.h"
#include "console/number_text.h"

namespace flyback {

namespace {

constexpr double kSqrt2 = std::numbers::sqrt2;

// π as the resonance period of the primary inductance uses it.
constexpr double kPi = 3.14159;

// The IC's regulation thresholds of the supply divider, V.
constexpr double kSupplyThreshold = 5;
constexpr double kSupplyThresholdOpto = 4.25;

// R29, and without opto regulation its trimmer P10, all kOhm. The supply sum
// is the IC-supply voltage of the winding table plus the diode drop.
void DimensionSupplyDivider(DesignState& s) {
  const double U_ic_act = RoundTo(s.nic * s.U_ts * s.k_ic - s.U_F_ic, 2);  // V
  const double U_sup = U_ic_act + s.U_F_ic;                                // V
  if (s.opto_reg == "1") {
    s.R29 = round_e24(R29_raw(s.R38, U_sup, kSupplyThresholdOpto));
    return;
  }
  const double raw = R29_raw(s.R38, U_sup, kSupplyThreshold);
  // The trimmer covers a third of the divider; R29 is the rest.
  s.P10 = round_pot(raw / 3);
  s.R29 = round_e24(raw - 0.3 * s.P10);
}

// Gate resistor, Ohm: 40000 / C_iss, a part without capacitance figure
// counted as 400 pF.
void DimensionGateResistor(DesignState& s) {
  constexpr double kC_issUnknown = 400;  // pF
  s.R35 = round_e24(40000 / (s.C_iss == 0 ? kC_issUnknown : s.C_iss));
}

// THP timer: R39 kOhm, C38 pF, R36 MOhm, C36 µF.
void DimensionHighPowerTimer(DesignState& s) {
  s.R39 = 51;
  const double k_THP = (s.AL / 1000) / (s.U_ts * s.U_ts);
  s.C38 = round_down_e12(1000 * s.P_perm * k_THP * 4.2 / s.R39);
  s.R36 = 1;
  s.C36 = round_down_e12(s.t_THP / s.R36);
}

}  // namespace

double R29_raw(double R38, double U_sup, double U_threshold) {
  if (U_sup <= U_threshold) return 0;
  return U_threshold * R38 / (U_sup - U_threshold);
}

void dimension_pwx_network(DesignState& s) {
  // Start-up resistor R22 (kOhm) and maximum on-time capacitor C22 (pF).
  s.R22 = s.U_mains_min <= 20 ? 100 : 1000;
  const double t = s.fixed_freq == "0" ? s.t_on : s.t_on_fix;  // µs
  s.C22 = round_down_e12(1000 * kSqrt2 * s.U_mains_min * t / (s.R22 * 3.5));
  // Mains undervoltage divider R23 / R24, kOhm. R23 drops only strictly
  // below 20 V, while R22 already drops at 20 V.
  s.R23 = s.U_mains_min < 20 ? 390 : 3900;
  s.R24 = round_e24(s.R23 / (kSqrt2 * s.U_mains_min * 0.65));
  s.R38 = 15;
  DimensionSupplyDivider(s);
  // Zero-crossing delay C30 (nF) from the resonance period (µs) of the
  // primary inductance (µH) with 220 pF, and R30 (kOhm).
  const double T_res = 2 * 0.001 * kPi * std::sqrt(s.L_prim * 220);
  s.C30 = round_down_e12(T_res / 1.5);
  s.R30 = round_e24(100 / s.C30);
  // Oscillator of the fixed frequency (kHz): R31 kOhm, C31 pF. A frequency of
  // 0 gives an infinite value, which round_down_e12 rounds as 0.
  s.R31 = 100;
  s.C31 = round_down_e12(800000 / (s.f_fix_min * s.R31));
  DimensionGateResistor(s);
  if (s.THP) DimensionHighPowerTimer(s);
}

void dimension_qrm_network(DesignState& s) {
  // Start-up resistor R22 (MOhm) and maximum on-time capacitor C22 (pF).
  s.R22 = round_e24(kSqrt2 * s.U_mains_min * 0.8 / 100);
  s.C22 = round_down_e12(kSqrt2 * s.U_mains_min * s.t_on / (s.R22 * 3.5));
  // Zero-crossing sense divider, kOhm.
  s.R38 = round_e24(kSqrt2 * s.U_mains_min * s.nic / s.n_prim / 0.5);
  DimensionSupplyDivider(s);
  s.C29 = round_down_e12(500 / s.R29);  // pF
  DimensionGateResistor(s);
}

}  // namespace flyback

#include "engine/components/ic_network.h"

#include <cmath>

#include "base/numbers/units.h"
#include "engine/components/standard_values.h"
#include "engine/inputs/mains.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// π as the resonance period of the primary inductance has always used it.
constexpr double kResonancePi = 3.14159;

// Start-up and switch-on time (both IC families).
constexpr double kOnTimeThreshold = 3.5;      // V on C22 at which the IC ends the switch-on time
constexpr double kPwxStartupResistor = 1000;  // kOhm, R22
constexpr double kPwxStartupResistorLowMains = 100;  // kOhm, R22 up to 20 V mains
constexpr double kQrmStartupCurrent = 100;           // µA through R22 from the bus valley

// Mains undervoltage divider R23 / R24 of the PWX family: about 1 V at the IC
// at 65 % of the lowest mains peak.
constexpr double kUndervoltageShare = 0.65;
constexpr double kUndervoltageResistor = 3900;         // kOhm, R23
constexpr double kUndervoltageResistorLowMains = 390;  // kOhm, R23 below 20 V mains
constexpr double kLowMains = 20;                       // V rms

// Supply divider R29 / R38, with the trimmer P10 without opto regulation.
constexpr double kPwxSupplySense = 15;             // kOhm, R38 of the PWX family
constexpr double kSupplyThreshold = 5;             // V, regulation threshold of the IC
constexpr double kSupplyThresholdOpto = 4.25;      // V, with the opto coupler in the loop
constexpr double kTrimmerShare = 3;                // the trimmer covers a third of the divider
constexpr double kTrimmerSetting = 0.3;            // R29 is the rest with the trimmer at 30 %
constexpr double kSupplyFilterTime = 500;          // kOhm·pF, R29 × C29 of the QRM1X305
constexpr double kZeroCrossingSenseCurrent = 0.5;  // mA through R38 of the QRM1X305

// Zero-crossing delay: the primary inductance rings with the drain capacitance.
constexpr double kDrainCapacitance = 220;     // pF
constexpr double kResonancePerDelayNf = 1.5;  // µs of resonance period per nF of C30
constexpr double kDelayTime = 100;            // kOhm·nF, R30 × C30

// Fixed-frequency oscillator: f_fix_min = 800000 / (R31 × C31).
constexpr double kOscillatorResistor = 100;     // kOhm, R31
constexpr double kOscillatorConstant = 800000;  // kHz·kOhm·pF

// Gate resistor R35: a 40 ns time constant with the MOSFET's input capacitance.
constexpr double kGateTime = 40000;    // Ohm·pF
constexpr double kC_issUnknown = 400;  // pF, for a MOSFET without a figure

// High-power timer of the THP circuit.
constexpr double kThpDetectorResistor = 51;  // kOhm, R39
constexpr double kThpDetectorScale = 4.2;    // C38 per permanent power and inductance per turn²
constexpr double kThpDelayResistor = 1;      // MOhm, R36; R36 × C36 is the delay time

// R29, and without opto regulation its trimmer P10, all kOhm. The supply sum
// is the IC-supply voltage of the winding table plus the diode drop.
void DimensionSupplyDivider(const DesignInputs& in, const TransformerDesign& t,
                            ComponentValues& c) {
  const double U_sup = IcSupplyVoltage(in, t) + in.U_F_ic;  // V
  if (in.opto_reg) {
    c.R29 = round_e24(R29_raw(c.R38, U_sup, kSupplyThresholdOpto));
    return;
  }
  const double raw = R29_raw(c.R38, U_sup, kSupplyThreshold);
  c.P10 = round_pot(raw / kTrimmerShare);
  c.R29 = round_e24(raw - kTrimmerSetting * c.P10);
}

// Gate resistor, Ohm.
void DimensionGateResistor(ComponentValues& c) {
  c.R35 = round_e24(kGateTime / (c.C_iss == 0 ? kC_issUnknown : c.C_iss));
}

// THP timer: R39 kOhm, C38 pF, R36 MOhm, C36 µF.
void DimensionHighPowerTimer(const DesignInputs& in, const TransformerDesign& t,
                             ComponentValues& c) {
  c.R39 = kThpDetectorResistor;
  const double k_THP = (in.AL / kNanohenryPerMicrohenry) / (t.U_ts * t.U_ts);
  c.C38 = round_down_e12(1000 * in.P_perm * k_THP * kThpDetectorScale / c.R39);
  c.R36 = kThpDelayResistor;
  c.C36 = round_down_e12(in.t_THP / c.R36);
}

}  // namespace

double R29_raw(double R38, double U_sup, double U_threshold) {
  if (U_sup <= U_threshold) return 0;
  return U_threshold * R38 / (U_sup - U_threshold);
}

void dimension_pwx_network(const DesignInputs& in, const TransformerDesign& t, ComponentValues& c) {
  // Start-up resistor R22 (kOhm) and maximum on-time capacitor C22 (pF).
  c.R22 = in.U_mains_min <= kLowMains ? kPwxStartupResistorLowMains : kPwxStartupResistor;
  const double t_on = in.fixed_freq ? t.t_on_fix : t.t_on;  // µs
  c.C22 =
      round_down_e12(1000 * kSineCrestFactor * in.U_mains_min * t_on / (c.R22 * kOnTimeThreshold));
  // Mains undervoltage divider R23 / R24, kOhm. R23 drops only strictly
  // below 20 V, while R22 already drops at 20 V.
  c.R23 = in.U_mains_min < kLowMains ? kUndervoltageResistorLowMains : kUndervoltageResistor;
  c.R24 = round_e24(c.R23 / (MainsPeak(in.U_mains_min) * kUndervoltageShare));
  c.R38 = kPwxSupplySense;
  DimensionSupplyDivider(in, t, c);
  // Zero-crossing delay C30 (nF) from the resonance period (µs) of the
  // primary inductance (µH) with the drain capacitance, and R30 (kOhm).
  const double T_res =
      2 * kMicrosecondsPerNanosecond * kResonancePi * std::sqrt(t.L_prim * kDrainCapacitance);
  c.C30 = round_down_e12(T_res / kResonancePerDelayNf);
  c.R30 = round_e24(kDelayTime / c.C30);
  // Oscillator of the fixed frequency (kHz): R31 kOhm, C31 pF. A frequency of
  // 0 gives an infinite value, which round_down_e12 rounds as 0.
  c.R31 = kOscillatorResistor;
  c.C31 = round_down_e12(kOscillatorConstant / (in.f_fix_min * c.R31));
  DimensionGateResistor(c);
  if (in.THP) DimensionHighPowerTimer(in, t, c);
}

void dimension_qrm_network(const DesignInputs& in, const TransformerDesign& t, ComponentValues& c) {
  // Start-up resistor R22 (MOhm) from the bus valley, and maximum on-time
  // capacitor C22 (pF).
  const double U_valley = MainsPeak(in.U_mains_min) * in.k_ripple;  // V
  c.R22 = round_e24(U_valley / kQrmStartupCurrent);
  c.C22 = round_down_e12(MainsPeak(in.U_mains_min) * t.t_on / (c.R22 * kOnTimeThreshold));
  // Zero-crossing sense divider, kOhm: the mains peak as the IC winding sees it.
  c.R38 = round_e24(MainsPeak(in.U_mains_min) * t.nic / t.n_prim / kZeroCrossingSenseCurrent);
  DimensionSupplyDivider(in, t, c);
  c.C29 = round_down_e12(kSupplyFilterTime / c.R29);  // pF
  DimensionGateResistor(c);
}

}  // namespace flyback

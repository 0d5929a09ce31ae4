#include "engine/loop/shunt_regulator.h"

#include <cmath>
#include <numbers>

namespace flyback {

namespace {

// The device model's values (TL431/D).
constexpr double kInputTransconductanceFloor_S = 0.3;
constexpr double kInputTransconductanceSpan_S = 2.7;
constexpr double kInputTransconductanceCurrent_mA = 26;
constexpr double kGainResistance_ohm = 1.0e6;          // R_GM
constexpr double kPoleCapacitance_F = 20e-12;          // C_P1
constexpr double kOutputTransconductance_S = 1.25e-6;  // G_o per volt across R_GM
constexpr double kOhmPerKiloOhm = 1e3;

}  // namespace

ShuntRegulatorGain ShuntRegulatorGainOf(double R_load_kOhm, double I_C_mA) {
  const double G_M_S =
      kInputTransconductanceFloor_S +
      kInputTransconductanceSpan_S * std::exp(-I_C_mA / kInputTransconductanceCurrent_mA);
  return {G_M_S * kGainResistance_ohm * kOutputTransconductance_S * kOhmPerKiloOhm * R_load_kOhm,
          1 / (2 * std::numbers::pi * kGainResistance_ohm * kPoleCapacitance_F)};
}

std::complex<double> ShuntRegulatorGainAt(const ShuntRegulatorGain& g, double f_Hz) {
  return g.dc_gain / std::complex<double>(1, f_Hz / g.pole_Hz);
}

}  // namespace flyback

// The stage's small-signal model in each mode against a hand calculation.

#include "engine/loop/power_stage_model.h"

#include <gtest/gtest.h>

namespace flyback {
namespace {

// 12 V output drawing 60 W at full load (R = 2.4 Ω), 1000 µF with 0.05 Ω
// (f_ESR = 1/(2π·0.05 Ω·1 mF) = 3183.10 Hz), 5 primary turns per output turn;
// 3 A at the current-sense limit: k_i = 3 A/(3·1 V) = 1 A/V.
RegulatedOutput Output() {
  return {12, 60, 1000, 1000, 0.05, 5};
}

// A point at 100 V peaking at 2 A every 10 µs.
SwitchingPoint Point(SwitchingMode mode, double I_start_A, double t_on_us) {
  SwitchingPoint p;
  p.U_bus_V = 100;
  p.mode = mode;
  p.I_pk_A = 2;
  p.I_start_A = I_start_A;
  p.t_on_us = t_on_us;
  p.period_us = 10;
  return p;
}

TEST(PowerStageAt, EachModeAgainstItsHandFigures) {
  const struct {
    const char* name;
    SwitchingPoint point;
    double G0, f_load_pole_Hz, f_rhp_zero_Hz, Q_sampling, I_control_A;
  } cases[] = {
      // Boundary at 2 A: G0 = 1·12/(2·2) = 3, load pole with the ESR
      // 1/(2π·1 mF·(2.4/2 + 0.05) Ω) = 127.324 Hz (132.629 Hz without it);
      // the comparator reaches the peak current.
      {"boundary", Point(SwitchingMode::kBoundary, 0, 4), 3, 127.324, 0, 0, 2},
      // Discontinuous at 2 A: G0 = 12/2 = 6, the same pole.
      {"discontinuous", Point(SwitchingMode::kDiscontinuous, 0, 4), 6, 127.324, 0, 0, 2},
      // Continuous, D = 0.5 of 10 µs, 1 A to 2 A: L = 100 V·5 µs/1 A = 500 µH.
      // G0 = 1·2.4·5·0.5/1.5 = 4, pole 1/(2π·1 mF·(2.4/1.5 + 0.05) Ω) =
      // 96.4575 Hz (99.4718 Hz without the ESR),
      // f_RHPZ = 2.4·0.25·25/(2π·0.5·500 µH) = 9549.30 Hz, m_c = 1 + 0.5·1 =
      // 1.5, Q = 1/(π·(1.5·0.5 − 0.5)) = 1.27324. The ramp 0.5·U_refl/L·t_on,
      // U_refl/L = 1 A/5 µs: 0.5 A above the 2 A peak.
      {"continuous", Point(SwitchingMode::kContinuous, 1, 5), 4, 96.4575, 9549.30, 1.27324, 2.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PowerStageModel m = PowerStageAt(c.point, 1, Output(), 3, LoopAssumptions{});
    EXPECT_NEAR(m.G0, c.G0, 1e-9);
    EXPECT_NEAR(m.f_sw_Hz, 100e3, 1e-6);  // a period of 10 µs
    EXPECT_NEAR(m.R_load_ohm, 2.4, 1e-12);
    EXPECT_NEAR(m.f_load_pole_Hz, c.f_load_pole_Hz, 1e-3);
    EXPECT_NEAR(m.f_esr_zero_Hz, 3183.10, 1e-2);
    EXPECT_NEAR(m.f_rhp_zero_Hz, c.f_rhp_zero_Hz, 1e-2);
    EXPECT_NEAR(m.Q_sampling, c.Q_sampling, 1e-5);
    EXPECT_NEAR(m.I_control_A, c.I_control_A, 1e-12);
    EXPECT_EQ(m.I_limit_A, 3);
  }
}

// The continuous stage above at its right-half-plane zero (9549.30 Hz):
// 20·log10(4) = 12.0412 dB; pole −10·log10(1 + (9549.30/96.4575)²) =
// −39.9131 dB, −89.4213°; ESR zero +10·log10(1 + 3²) = 10.0000 dB,
// +71.5651°; the RHP zero +3.0103 dB, −45°; the sampling pole at 50 kHz,
// x = 0.190986: 1 − x² = 0.963524, x/Q = 0.150000, −20·log10(0.975129) =
// +0.2187 dB, −8.8487°. Together −14.6429 dB and −71.7049°.
TEST(PowerStageResponse, SumsItsTermsAtOneFrequency) {
  const PowerStageModel m =
      PowerStageAt(Point(SwitchingMode::kContinuous, 1, 5), 1, Output(), 3, LoopAssumptions{});
  const GainPhase h = PowerStageResponse(m, m.f_rhp_zero_Hz);
  EXPECT_NEAR(h.gain_dB, -14.6429, 1e-3);
  EXPECT_NEAR(h.phase_deg, -71.7049, 1e-3);
}

}  // namespace
}  // namespace flyback

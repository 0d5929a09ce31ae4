// Winding loss, each figure by hand: copper resistivity and DC resistance,
// skin depth and Dowell's penetration ratio, Dowell's factor at its limits
// and at Δ = 1, the layer count, the harmonics of a ramp pulse and the loss
// they make.

#include "engine/losses/winding_loss.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>

namespace flyback {
namespace {

TEST(WindingLoss, CopperResistanceAtTemperature) {
  // ρ(100 °C) = 1.724e-8·(1 + 0.00393·80) = 1.724e-8·1.3144 = 2.2660256e-8 Ω·m.
  EXPECT_NEAR(CopperResistivity(100), 2.2660256e-8, 1e-15);
  EXPECT_NEAR(CopperResistivity(20), 1.724e-8, 1e-15);
  // 50 turns of 60 mm on 0.2 mm²: R = ρ·50·0.06 m/0.2e-6 m² = ρ·1.5e7;
  // 0.33990 Ω at 100 °C (the default), 0.25860 Ω at 20 °C.
  EXPECT_NEAR(DcResistance(50, 60, 0.2), 0.33990, 1e-5);
  EXPECT_NEAR(DcResistance(50, 60, 0.2, 20), 0.25860, 1e-5);
}

TEST(WindingLoss, SkinDepthAndPenetrationRatio) {
  // δ = √(ρ/(π·f·μ0)), π·100 kHz·4π·1e-7 = 0.394784 H/(m·s):
  // 20 °C: √(1.724e-8/0.394784) = 0.208972 mm; 100 °C: 0.239581 mm.
  EXPECT_NEAR(SkinDepth(1.724e-8, 100e3), 0.208972e-3, 1e-9);
  EXPECT_NEAR(SkinDepth(2.2660256e-8, 100e3), 0.239581e-3, 1e-9);
  // 0.5 mm wire at 0.55 mm pitch, 20 °C, 100 kHz: d/δ = 2.392661,
  // √(d/p) = 0.953463, (π/4)^0.75 = 0.834291: Δ = 1.903278.
  EXPECT_NEAR(DowellPenetrationRatio(0.5, 0.55, 1.724e-8, 100e3), 1.903278, 1e-5);
}

TEST(WindingLoss, DowellFactor) {
  struct Case {
    double penetration;
    int layers;
    double F_R;
  };
  const std::array<Case, 7> cases{{
      // Low frequency: R_ac = R_dc.
      {1e-4, 5, 1.0},
      // Δ = 0.05, 3 layers, just above the series: 1 + 44/45·0.05⁴ = 1.0000061111.
      {0.05, 3, 1.0000061111},
      // Δ = 1, one layer: (sinh2 + sin2)/(cosh2 − cos2)
      // = (3.626860 + 0.909297)/(3.762196 + 0.416147) = 1.085636.
      {1, 1, 1.085636},
      // two layers add 2·(4−1)/3·(sinh1 − sin1)/(cosh1 + cos1)
      // = 2·(1.175201 − 0.841471)/(1.543081 + 0.540302) = 0.320373: 1.406009.
      {1, 2, 1.406009},
      // Thick conductors: both terms tend to 1, F_R → Δ·(1 + 2(m²−1)/3).
      {50, 1, 50},
      {50, 3, 50 * (1 + 16.0 / 3)},
      // far beyond the range of sinh and cosh in double precision
      {400, 1, 400},
  }};
  for (const Case& c : cases) {
    EXPECT_NEAR(DowellFactor(c.penetration, c.layers), c.F_R, 1e-6 * c.F_R)
        << "Δ " << c.penetration << ", " << c.layers << " layers";
  }
}

TEST(WindingLoss, LayerCount) {
  struct Case {
    double turns;
    int parallel_wires;
    double d_wire_mm;
    double bobbin_width_mm;
    int layers;
  };
  // Pitch 1.1·d: 0.55 mm for 0.5 mm wire.
  const std::array<Case, 5> cases{{
      {53, 1, 0.5, 20, 2},  // 36 a layer (20/0.55 = 36.4)
      {40, 1, 0.5, 11, 2},  // 11/0.55 = 20 a layer exactly: two full layers
      {41, 1, 0.5, 11, 3},  // one turn more opens a third layer
      {9, 3, 0.5, 11, 2},   // 27 wires at 20 a layer
      {5, 1, 0.5, 0.3, 5},  // the wire is wider than the bobbin: one a layer
  }};
  for (const Case& c : cases) {
    EXPECT_EQ(LayerCount(c.turns, c.parallel_wires, c.d_wire_mm, c.bobbin_width_mm), c.layers)
        << c.turns << " turns of " << c.parallel_wires << " wires on " << c.bobbin_width_mm
        << " mm";
  }
}

TEST(WindingLoss, RampPulseHarmonics) {
  // D = 0.5, I_peak 2 A: DC = 2·0.5/2 = 0.5 A.
  const RampPulse half{2, 10, 20};
  EXPECT_NEAR(RampPulseDc(half), 0.5, 1e-12);
  // h = 1, x = π: √2·2·0.5·√(π² + 4)/π² = 1.414214·3.724192/9.869604 = 0.533639 A.
  EXPECT_NEAR(RampPulseHarmonicRms(half, 1), 0.533639, 1e-6);
  // h = 2, x = 2π: √2·2·0.5·√(4π²)/(4π²) = √2/(2π) = 0.225079 A.
  EXPECT_NEAR(RampPulseHarmonicRms(half, 2), 0.225079, 1e-6);
  // D = 1 is the sawtooth: I_h = I_peak/(√2·π·h), 0.075026 A for h = 3, 1 A.
  EXPECT_NEAR(RampPulseHarmonicRms({1, 20, 20}, 3), 0.075026, 1e-6);
  // A short pulse, D = 0.001: the harmonic is twice the DC over √2 less a
  // part in x²/36: √2·1·0.001/2·√(1 − (0.00628)²/18) = 7.071060e-4 A.
  EXPECT_NEAR(RampPulseHarmonicRms({1, 0.02, 20}, 1), 7.071060e-4, 1e-10);
}

TEST(WindingLoss, TheSpectrumRotatesToEveryHarmonic) {
  // Per ampere of peak, the hand values above: D = 0.5, DC 0.25 A, h = 1
  // 0.533639/2 A, h = 2 0.225079/2 A; the sawtooth's h = 3 0.075026 A.
  const RampPulseSpectrum half = SpectrumOf({2, 10, 20}, 2);
  EXPECT_NEAR(half.dc_per_A, 0.25, 1e-12);
  ASSERT_EQ(half.rms_per_A.size(), 2u);
  EXPECT_NEAR(half.rms_per_A[0], 0.533639 / 2, 1e-6);
  EXPECT_NEAR(half.rms_per_A[1], 0.225079 / 2, 1e-6);
  EXPECT_NEAR(SpectrumOf({1, 20, 20}, 3).rms_per_A[2], 0.075026, 1e-6);
  // The phases h·x1 come by rotation, not from a sine and cosine each: up to
  // h = 400 they stay on the closed form within 1e-9, also for a short pulse
  // whose first harmonics take the series.
  for (const double duty : {0.001, 0.37, 0.93}) {
    const RampPulse pulse{1, duty * 40, 40};
    const RampPulseSpectrum spectrum = SpectrumOf(pulse, 400);
    for (const int h : {1, 7, 50, 400}) {
      const double closed_form = RampPulseHarmonicRms(pulse, h);
      EXPECT_NEAR(spectrum.rms_per_A[static_cast<std::size_t>(h - 1)], closed_form,
                  1e-9 * closed_form)
          << "D " << duty << ", h " << h;
    }
  }
}

TEST(WindingLoss, HarmonicsAddUpToTheRms) {
  // rms of a ramp pulse I_peak·√(D/3); DC and 100 harmonics miss about
  // 3/(2π²·100·D) of its square (0.76 % of the rms at D = 0.1).
  for (const double duty : {0.1, 0.42, 0.9}) {
    const RampPulse pulse{3, duty * 40, 40};
    double sum_of_squares = RampPulseDc(pulse) * RampPulseDc(pulse);
    for (int h = 1; h <= 100; ++h) {
      sum_of_squares += RampPulseHarmonicRms(pulse, h) * RampPulseHarmonicRms(pulse, h);
    }
    const double rms = 3 * std::sqrt(duty / 3);
    EXPECT_NEAR(std::sqrt(sum_of_squares), rms, 0.01 * rms) << "D " << duty;
  }
}

TEST(WindingLoss, LossOfTheHarmonics) {
  // 0.1 Ω, one layer, Δ = 1 at the switching frequency, I_peak 2 A, D = 0.5,
  // first harmonic only: 0.1·0.5² + 0.1·1.085636·0.533639²
  // = 0.025 + 0.1·1.085636·0.284770 = 0.055916 W.
  EXPECT_NEAR(WindingLoss(0.1, 1, 1, {2, 10, 20}, 1), 0.055916, 1e-6);
  // At low frequency the loss is R·I_rms² = 0.1·4·0.5/3 = 0.066667 W, less
  // the 0.3 % of the square the harmonics above 100 leave out at D = 0.5.
  EXPECT_NEAR(WindingLoss(0.1, 4, 1e-4, {2, 10, 20}, 100), 0.066667, 0.066667 * 0.005);
}

// A kept spectrum serves the pulses of its duty to rounding and no other.
TEST(WindingLoss, KeptSpectrumServesOnlyItsDuty) {
  KeptSpectrum kept;
  const struct {
    const char* why;
    RampPulse pulse;
    int harmonics;
  } steps[] = {
      {"none kept", {1, 7, 20}, 5},
      {"D = 0.35 again, from other durations", {1, 0.7, 2}, 5},
      {"D = 0.4", {1, 8, 20}, 5},
      {"more harmonics", {1, 8, 20}, 6},
  };
  for (const auto& step : steps) {
    const RampPulseSpectrum direct = SpectrumOf(step.pulse, step.harmonics);
    const RampPulseSpectrum& served = SpectrumOf(step.pulse, step.harmonics, kept);
    ASSERT_EQ(served.rms_per_A.size(), direct.rms_per_A.size()) << step.why;
    EXPECT_NEAR(served.dc_per_A, direct.dc_per_A, 1e-12) << step.why;
    for (std::size_t i = 0; i < direct.rms_per_A.size(); ++i) {
      EXPECT_NEAR(served.rms_per_A[i], direct.rms_per_A[i], 1e-12) << step.why << ", h " << i + 1;
    }
  }
}

// The sum takes the exponential, sine and cosine of harmonic k²·m from those
// of harmonic m; it must still give each harmonic the factor of its own
// ratio Δ1·√h, for thin and thick wire, up to harmonics past 7²·1.
TEST(WindingLoss, EachHarmonicAtItsOwnPenetrationRatio) {
  const RampPulseSpectrum spectrum = SpectrumOf({1, 7, 20}, 60);
  const struct {
    int layers;
    double penetration_1;
  } cases[] = {{1, 0.003}, {1, 0.3}, {2, 1}, {4, 3}, {3, 40}};
  for (const auto& c : cases) {
    double sum = spectrum.dc_per_A * spectrum.dc_per_A;
    for (std::size_t i = 0; i < spectrum.rms_per_A.size(); ++i) {
      const double h = static_cast<double>(i + 1);
      sum += DowellFactor(c.penetration_1 * std::sqrt(h), c.layers) * spectrum.rms_per_A[i] *
             spectrum.rms_per_A[i];
    }
    EXPECT_NEAR(WindingLossPerOhmAndSquareAmpere(c.layers, c.penetration_1, spectrum), sum,
                1e-12 * sum)
        << "Δ1 " << c.penetration_1 << ", " << c.layers << " layers";
  }
}

}  // namespace
}  // namespace flyback

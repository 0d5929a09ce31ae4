// Core loss: the Steinmetz coefficients of the ferrite reference table
// (100 kHz, 200 mT, 100 °C), the temperature factor, the iGSE reducing to
// Steinmetz for a sinusoid and giving the known triangle ratio, two flyback
// periods worked by hand, and the rule that picks a frequency range.

#include "engine/losses/core_loss.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace flyback {
namespace {

// 3C90 up to 200 kHz: k 3.2, α 1.46, β 2.75, ct0 2.45, ct1 0.031, ct2 1.65e-4.
constexpr SteinmetzSet k3C90{3.2, 1.46, 2.75, 2.45, 0.031, 1.65e-4};
// 3C95 up to 150 kHz.
constexpr SteinmetzSet k3C95{92.17, 1.045, 2.44, 1.332, 7.94e-3, 4.62e-5};

TEST(CoreLoss, SteinmetzMatchesTheReferenceTable) {
  // Published at 100 kHz, 200 mT, 100 °C: 3C90 764 kW/m³, 3C95 305 kW/m³ (to
  // 1 kW/m³). The N-grade rows are left out: their ct(100 °C) ≈ 0.002 is a
  // difference of three-digit coefficients and does not carry three digits.
  EXPECT_NEAR(SineCoreLossDensity(k3C90, 100e3, 0.2), 764e3, 0.5e3);
  EXPECT_NEAR(SineCoreLossDensity(k3C95, 100e3, 0.2), 305e3, 0.5e3);
}

TEST(CoreLoss, TemperatureFactorIsAppliedOnlyWhenPositive) {
  // 3C90 at 100 °C: 1.65e-4·10⁴ − 0.031·100 + 2.45 = 1.65 − 3.1 + 2.45 = 1.
  EXPECT_NEAR(SteinmetzTemperatureFactor(k3C90, 100), 1.0, 1e-12);
  // at 25 °C: 1.65e-4·625 − 0.031·25 + 2.45 = 0.103125 − 0.775 + 2.45 = 1.778125.
  EXPECT_NEAR(SteinmetzTemperatureFactor(k3C90, 25), 1.778125, 1e-12);
  // A fit that goes negative (ct0 = −1, no other terms) is not applied.
  EXPECT_EQ(SteinmetzTemperatureFactor({1, 1.5, 2.5, -1, 0, 0}, 100), 1.0);
}

TEST(CoreLoss, IgseOfASampledSineIsSteinmetz) {
  // 3C90, 100 kHz, 100 mT peak, 100 °C: 3.2·(10⁵)^1.46·0.1^2.75
  // = 3.2·1.99526e7·1.77828e-3 = 1.13540e5 W/m³. A sine cut into 1000
  // straight pieces gives it to well within 0.1 %.
  constexpr int kPieces = 1000;
  constexpr double kPeriod_s = 1e-5;
  std::vector<FluxSegment> sine;
  for (int i = 0; i < kPieces; ++i) {
    const double a = 2 * std::numbers::pi * i / kPieces;
    const double b = 2 * std::numbers::pi * (i + 1) / kPieces;
    sine.push_back({0.1 * (std::sin(b) - std::sin(a)), kPeriod_s / kPieces});
  }
  EXPECT_NEAR(PiecewiseLinearCoreLossDensity(k3C90, sine), 1.13540e5, 1.13540e5 * 1e-3);
}

TEST(CoreLoss, SymmetricTriangleToSineRatio) {
  // A triangle of peak Bp (swing 2Bp, slope 4·Bp·f) against a sine of the
  // same peak: ratio 4^α/((2π)^(α−1)·∫|cos θ|^α dθ), independent of k and β.
  // α = 1: 4/(1·4) = 1 (pure hysteresis); α = 2: 16/(2π·π) = 8/π² = 0.810569.
  struct Case {
    double alpha;
    double ratio;
  };
  for (const Case& c : {Case{1, 1.0}, Case{2, 8 / (std::numbers::pi * std::numbers::pi)}}) {
    const SteinmetzSet set{1, c.alpha, 2.5, 1, 0, 0};
    const std::array<FluxSegment, 2> triangle{{{0.2, 5e-6}, {-0.2, 5e-6}}};  // 100 kHz, 0.1 T
    EXPECT_NEAR(
        PiecewiseLinearCoreLossDensity(set, triangle) / SineCoreLossDensity(set, 100e3, 0.1),
        c.ratio, 1e-9)
        << "alpha " << c.alpha;
  }
}

TEST(CoreLoss, FlybackPeriodsByHand) {
  // α = 2, β = 3, k = 1, ct = 1: ∫|cos|² = π, ki = 1/(2π·2·π) = 1/(4π²)
  // = 0.0253303; 200 mT in 10 µs up and 10 µs down, period 25 µs:
  // Pv = ki·ΔB³·(1/t_on + 1/t_off)/T = 0.0253303·0.008·2e5/25e-6
  // = 1.621139e6 W/m³.
  EXPECT_NEAR(FlybackCoreLossDensity({1, 2, 3, 1, 0, 0}, 200, 10, 10, 25), 1.621139e6, 1e1);

  // 3C90 at 100 °C in the three-output demonstration design: Bmax 340 mT,
  // t_on 17.808 µs, t_off 22.294 µs, fsntmin 23.749 kHz (T = 42.107 µs).
  // ∫|cos|^1.46 = 2√π·Γ(1.23)/Γ(1.73) = 3.52975; (2π)^0.46 = 2.32896,
  // 2^1.29 = 2.44528, ki = 3.2/(2.32896·2.44528·3.52975) = 0.159189.
  // Pv = ki·ΔB^β/T·(t_on^(1−α) + t_off^(1−α))
  //    = 0.159189·0.0514715·(153.009 + 137.986)/42.107e-6 = 56 625 W/m³.
  const double Pv = FlybackCoreLossDensity(k3C90, 340, 17.808, 22.294, 1000 / 23.749);
  EXPECT_NEAR(Pv, 56625, 56625 * 1e-4);
  // On a core of Ve = 20 000 mm³: 56 625 W/m³ · 2e-5 m³ = 1.1325 W.
  EXPECT_NEAR(CoreLoss(Pv, 20000), 1.1325, 1e-3);
}

TEST(CoreLoss, RangeRule) {
  // N87's two fits share the edge 100 kHz; a third range leaves a gap from
  // 300 kHz to 500 kHz. Listed out of order on purpose.
  const std::array<SteinmetzRange, 3> ranges{{
      {100e3, 300e3, {8.241, 1.783, 2.623, 1.24e-2, 1.74e-4, 9.6e-7}},
      {0, 100e3, {13824, 1.189, 2.626, 9.81e-3, 1.48e-4, 7.15e-7}},
      {500e3, 1e6, {1, 2, 3, 1, 0, 0}},
  }};
  struct Case {
    double f_Hz;
    double expected_f_min_Hz;
  };
  const std::array<Case, 7> cases{{
      {50e3, 0},   // inside the lowest range
      {100e3, 0},  // on the shared edge: the lower range
      {100.001e3, 100e3},
      {350e3, 100e3},  // in the gap, nearer to 300 kHz
      {400e3, 100e3},  // in the gap, equally near: the lower range
      {450e3, 500e3},  // in the gap, nearer to 500 kHz
      {2e6, 500e3},    // above every range: the nearest
  }};
  for (const Case& c : cases) {
    EXPECT_EQ(SteinmetzRangeFor(ranges, c.f_Hz).f_min_Hz, c.expected_f_min_Hz) << c.f_Hz;
  }
}

}  // namespace
}  // namespace flyback

// Margins read from a swept loop gain, against loops whose crossings are
// known in closed form.

#include "engine/loop/loop_margins.h"

#include <gtest/gtest.h>

namespace flyback {
namespace {

// ω0/s·1/(1 + s/ω0)² with f0 = 1 kHz: with x = f/f0 the gain is 1 where
// x·(1 + x²) = 1, x = 0.682328; phase −90° − 2·atan(x) = −158.614°, a margin
// of 21.386°. The phase reaches −180° at x = 1, where the gain is 1/2:
// 6.0206 dB of gain margin.
TEST(MarginsOf, IntegratorWithDoublePoleAgainstClosedForm) {
  const LoopResponse loop = [](double f) {
    return OriginPole(f, 1000) + LeftPole(f, 1000) + LeftPole(f, 1000);
  };
  const LoopMargins m = MarginsOf(SweepLoop(loop, 10, 1e5, 50), loop);
  EXPECT_EQ(m.crossings, 1);
  EXPECT_NEAR(*m.crossover_Hz, 682.328, 1e-3);
  EXPECT_NEAR(*m.phase_margin_deg, 21.3864, 1e-3);
  EXPECT_NEAR(*m.phase_180_Hz, 1000, 1e-6);
  EXPECT_NEAR(*m.gain_margin_dB, 6.0206, 1e-4);
}

// A gain above 0 dB below 100 Hz and above 1 kHz, below it between: two
// crossings, the first at 100 Hz; the phase never reaches −180°.
TEST(MarginsOf, CountsEveryCrossing) {
  const LoopResponse loop = [](double f) {
    return GainPhase{(f < 100 || f > 1000) ? 20.0 : -20.0, -90};
  };
  const LoopMargins m = MarginsOf(SweepLoop(loop, 10, 1e4, 20), loop);
  EXPECT_EQ(m.crossings, 2);
  EXPECT_NEAR(*m.crossover_Hz, 100, 1e-6);
  EXPECT_NEAR(*m.phase_margin_deg, 90, 1e-12);
  EXPECT_FALSE(m.gain_margin_dB.has_value());
}

}  // namespace
}  // namespace flyback

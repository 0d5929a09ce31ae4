// The iterative calculation without a console, on the demonstration designs.

#include "engine/transformer/transformer_calculation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/transformer/magnetics.h"
#include "transformer/demo_designs.h"

namespace flyback {
namespace {

constexpr CalculationRules kLimits = CalculationRules::kEnforceLimits;

// Runs on from where the calculation stands; with `ask` it stops for the
// drain-voltage limit at the check.
CalculationStop Resume(TransformerCalculation& calculation, DesignState& s, bool ask = false) {
  return calculation.Run(s.inputs, s.transformer, ask);
}

// Runs a full calculation, answering the drain-voltage-limit page with the
// automatic limit.
CalculationStop RunWithAutomaticLimit(DesignState& s, TransformerCalculation& calculation) {
  CalculationStop stop = Resume(calculation, s, true);
  if (stop == CalculationStop::kAskDrainLimit) {
    s.inputs.U_D_lim = AutomaticDrainLimit(s.inputs.U_mains_max);
    stop = Resume(calculation, s);
  }
  return stop;
}

TEST(TransformerCalculation, ThreeOutputDemonstrationDesign) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(Resume(calculation, s, true), CalculationStop::kAskDrainLimit);
  EXPECT_NEAR(s.transformer.U_D_max, 1245.5, 0.05);  // first pass, D_max 0.75
  s.inputs.U_D_lim = AutomaticDrainLimit(s.inputs.U_mains_max);
  EXPECT_DOUBLE_EQ(s.inputs.U_D_lim, 600);
  ASSERT_EQ(Resume(calculation, s), CalculationStop::kFinished);

  EXPECT_EQ(calculation.duty_cycle_reductions(), 57);
  EXPECT_EQ(calculation.magnetization_reductions(), 0);
  EXPECT_EQ(calculation.passes(), 58);
  EXPECT_NEAR(s.transformer.D_max, 0.42293, 5e-6);
  EXPECT_NEAR(s.transformer.U_D_max, 597.95, 5e-3);
  EXPECT_NEAR(s.transformer.I_in_avg, 0.88690, 5e-6);
  EXPECT_NEAR(s.transformer.I_mains_max, 89.4 / 90, 1e-12);
  EXPECT_NEAR(s.transformer.I_D_max, 4.1941, 5e-5);
  EXPECT_NEAR(s.transformer.n_prim, 53.333, 5e-4);
  EXPECT_NEAR(s.transformer.q_D, 1.25187, 5e-6);
  EXPECT_NEAR(s.transformer.U_ts, 1.9063, 5e-5);
  EXPECT_NEAR(s.transformer.U_bus_max, 420.02, 5e-3);
  EXPECT_NEAR(s.transformer.L_prim, 540.44, 5e-3);
  EXPECT_NEAR(s.transformer.t_on, 17.808, 5e-4);
  EXPECT_NEAR(s.transformer.t_off, 22.294, 5e-4);
  EXPECT_NEAR(s.transformer.fsntmin, 23.749, 5e-4);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 340);
  // Free running: the MOSFET is chosen for the drain current itself.
  EXPECT_DOUBLE_EQ(s.transformer.I_D_max_fix, s.transformer.I_D_max);
}

TEST(TransformerCalculation, FourOutputDemonstrationDesign) {
  DesignState s = FourOutputDemo();
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kFinished);
  EXPECT_EQ(calculation.duty_cycle_reductions(), 75);
  EXPECT_NEAR(s.transformer.D_max, 0.35294, 5e-6);
  EXPECT_NEAR(s.transformer.n_prim, 28.127, 5e-4);
  EXPECT_NEAR(s.transformer.U_ts, 2.6644, 5e-5);
  EXPECT_NEAR(s.transformer.U_D_max, 599.88, 5e-3);
  EXPECT_NEAR(s.transformer.fsntmin, 28.622, 5e-4);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 310);
}

TEST(TransformerCalculation, FixedFrequencyLowersTheMagnetizationUntilTheMaximumFrequency) {
  DesignState s = FixedFrequencyDemo(50, 70);
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  // 234.3 mT at 50 kHz stays below the 340 mT limit: no warning.
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kFinished);
  EXPECT_EQ(calculation.magnetization_reductions(), 142);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 198);
  EXPECT_NEAR(s.transformer.fsntmin, 70.03, 5e-3);
  EXPECT_NEAR(MagnetizationAtFixedFrequency(s.inputs, s.transformer), 234.3, 0.05);
  // By hand at 198 mT, with D_max = 0.75 x 0.99^57 = 0.422929 and
  // I_D_max = 2 x 89.4 / (90 x 1.12) / 0.422929 = 4.19411 A:
  //   n_prim = 198 x 125 / (4.19411 x 190) = 31.0586
  //   L_prim = 0.001 x 190 x 31.0586² = 183.281 µH
  //   t_on = 183.281 x 4.19411 / (90 x 1.414214) = 6.03948 µs
  //   q_D = 1 / (0.422929 x 1.05) - 1 = 1.25187
  //   U_ts = 90 x 1.414214 / (31.0586 x 1.25187) = 3.27353 V
  //   t_off = 183.281 x 4.19411 / (3.27353 x 31.0586) = 7.56065 µs
  //   fsntmin = 1000 / ((6.03948 + 7.56065) x 1.05) = 70.0273 kHz
  //   √(fsntmin / f_fix_min) = √(70.0273 / 50) = √1.40055 = 1.18345
  EXPECT_NEAR(s.transformer.k_fix, 1.08786, 5e-6);       // √1.18345
  EXPECT_NEAR(s.transformer.t_on_fix, 7.1474, 5e-5);     // 6.03948 µs x 1.18345
  EXPECT_NEAR(s.transformer.I_D_max_fix, 4.9635, 5e-5);  // 4.19411 A x 1.18345
}

TEST(TransformerCalculation, FixedFrequencyWarnsOfTooHighMagnetization) {
  // At 10 kHz the 340 mT of the free-running design become 524 mT.
  DesignState s = FixedFrequencyDemo(10, 20);
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kMagnetizationWarning);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 340);
  EXPECT_NEAR(MagnetizationAtFixedFrequency(s.inputs, s.transformer), 524.0, 0.05);
  // The warning ends the calculation.
  EXPECT_EQ(Resume(calculation, s), CalculationStop::kFinished);
}

TEST(TransformerCalculation, DrainLimitBelowTheBusVoltageStopsAfter201Reductions) {
  DesignState s = ThreeOutputDemo();
  s.inputs.U_mains_max = 450;  // bus 700.04 V with PFC, above 600 V at any duty cycle
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kDrainLimitTooLow);
  EXPECT_EQ(calculation.duty_cycle_reductions(), 201);
  EXPECT_NEAR(s.transformer.U_bus_max, 700.04, 5e-3);
  EXPECT_LT(s.transformer.D_max, 0.1);
  // Resuming starts anew at 0.75 and asks for the limit first.
  EXPECT_EQ(Resume(calculation, s, true), CalculationStop::kAskDrainLimit);
  EXPECT_DOUBLE_EQ(s.transformer.D_max, 0.75);
  s.inputs.U_D_lim = 800;
  EXPECT_EQ(Resume(calculation, s), CalculationStop::kFinished);
  EXPECT_LE(s.transformer.U_D_max, 800);
}

TEST(TransformerCalculation, AutomaticDrainLimitFollowsTheHighestMainsVoltage) {
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(270), 600);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(200), 600);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(199.9), 400);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(120), 400);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(100), 400);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(99.9), 200);
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(50), 200);
  // DC input with a 60 V maximum: 42.4 V rms equivalent.
  EXPECT_DOUBLE_EQ(AutomaticDrainLimit(60 / std::sqrt(2.0)), 100);
}

TEST(TransformerCalculation, DrainVoltageEqualToTheLimitIsNotReduced) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation first(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(Resume(first, s, true), CalculationStop::kAskDrainLimit);
  s.inputs.U_D_lim = s.transformer.U_D_max;  // the drain voltage at D_max 0.75
  TransformerCalculation again(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(Resume(again, s), CalculationStop::kFinished);
  EXPECT_EQ(again.duty_cycle_reductions(), 0);
  EXPECT_DOUBLE_EQ(s.transformer.D_max, 0.75);
}

TEST(TransformerCalculation, DrainVoltageNeverExceedsTheLimitOutsideManualMode) {
  for (const double U_mains_max : {120.0, 230.0, 265.0, 270.0, 300.0, 350.0}) {
    for (const double limit : {500.0, 600.0, 800.0}) {
      DesignState s = ThreeOutputDemo();
      s.inputs.U_mains_max = U_mains_max;
      s.inputs.U_D_lim = limit;
      TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
      if (Resume(calculation, s) == CalculationStop::kFinished) {
        EXPECT_LE(s.transformer.U_D_max, limit) << U_mains_max << " V, limit " << limit << " V";
        EXPECT_GE(s.transformer.fsntmin, s.inputs.f_low_lim);
      }
    }
  }
}

TEST(TransformerCalculation, ManualModeSkipsTheDrainLimitAndTheFrequencyLoop) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation full(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, full), CalculationStop::kFinished);
  s.inputs.U_D_lim = 100;     // far below the drain voltage
  s.inputs.f_low_lim = 1000;  // far above the frequency
  s.transformer.Bmax = 400;
  TransformerCalculation manual(CalculationEntry::kSameDutyCycle, CalculationRules::kManual);
  // Not even a pending limit page stops it.
  ASSERT_EQ(Resume(manual, s, true), CalculationStop::kFinished);
  EXPECT_EQ(manual.duty_cycle_reductions(), 0);
  EXPECT_EQ(manual.magnetization_reductions(), 0);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 400);
  EXPECT_GT(s.transformer.U_D_max, s.inputs.U_D_lim);
  EXPECT_LT(s.transformer.fsntmin, s.inputs.f_low_lim);
}

TEST(TransformerCalculation, SameDutyCycleAndCurrentKeepsTheDrainCurrent) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation full(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, full), CalculationStop::kFinished);
  s.transformer.I_in_avg = 0;  // not read from this entry
  s.transformer.Bmax = 300;
  TransformerCalculation step(CalculationEntry::kSameDutyCycleAndCurrent, kLimits);
  ASSERT_EQ(Resume(step, s), CalculationStop::kFinished);
  EXPECT_NEAR(s.transformer.I_D_max, 4.1941, 5e-5);
  // 300 mT x 125 mm² / (4.19411 A x 190 nH) = 37500 / 796.881 = 47.0585 turns.
  EXPECT_NEAR(s.transformer.n_prim, 47.0585, 5e-5);
}

TEST(TransformerCalculation, UnreachableFrequencyStopsBeforeBmaxReachesZero) {
  DesignState s = ThreeOutputDemo();
  s.inputs.f_low_lim = 1e8;  // kHz, out of reach even at 1 mT
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kFrequencyUnreachable);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 1);
  EXPECT_EQ(calculation.magnetization_reductions(), 339);
  EXPECT_EQ(Resume(calculation, s), CalculationStop::kFinished);
}

TEST(TransformerCalculation, UnreachableFrequencyStopsAfter100000Steps) {
  DesignState s = ThreeOutputDemo();
  s.transformer.Bmax = 1e6;
  s.inputs.f_low_lim = 1e12;
  TransformerCalculation calculation(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, calculation), CalculationStop::kFrequencyUnreachable);
  EXPECT_EQ(calculation.magnetization_reductions(), 100000);
  EXPECT_DOUBLE_EQ(s.transformer.Bmax, 900000);
}

TEST(TransformerCalculation, FromTheDrainVoltageKeepsTheVoltagePerTurn) {
  DesignState s = ThreeOutputDemo();
  TransformerCalculation full(CalculationEntry::kFullStart, kLimits);
  ASSERT_EQ(RunWithAutomaticLimit(s, full), CalculationStop::kFinished);
  const double U_ts = s.transformer.U_ts;
  const double U_bus_max = s.transformer.U_bus_max;
  // As after a change of the primary turns.
  s.transformer.n_prim = 50;
  s.transformer.I_D_max = 4.5;
  TransformerCalculation from_drain(CalculationEntry::kFromDrainVoltage, CalculationRules::kManual);
  ASSERT_EQ(Resume(from_drain, s), CalculationStop::kFinished);
  EXPECT_DOUBLE_EQ(s.transformer.U_ts, U_ts);
  EXPECT_DOUBLE_EQ(s.transformer.U_bus_max, U_bus_max);
  // 270 x 1.414214 x 1.1 = 420.021 V of bus, plus 50 turns x 1.90635 V (the
  // voltage per turn at 340 mT: 90 x 1.414214 / (53.3330 x 1.25187)) x 1.75
  // = 166.806 V of overshooting reflected voltage: 586.827 V.
  EXPECT_NEAR(s.transformer.U_D_max, 586.827, 5e-4);
  // The MOSFET is chosen for the new drain current.
  EXPECT_DOUBLE_EQ(s.transformer.I_D_max_fix, 4.5);
}

}  // namespace
}  // namespace flyback

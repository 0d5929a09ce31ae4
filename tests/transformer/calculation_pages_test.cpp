// The calculation in the dialogue: the drain-voltage-limit page, the "too
// low" stop, the magnetization warning, the unreachable frequency and where a
// finished calculation leads.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <utility>

#include "pages/transformer/calculation.h"
#include "script_console.h"
#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

const std::string kDrainLimitQuestion =
    "?> Limit of drain voltage (see note above) [automatical calculated(Ret)    manually input "
    "(1)] => ";

ScriptRun Calculate(const std::string& answers, DesignState s) {
  return RunScript(answers, Page::kCalculateFullStart, std::move(s));
}

TEST(CalculationPages, DrainLimitPageThenTheResultScreen) {
  const ScriptRun run = Calculate("\n", ThreeOutputDemo());
  const std::vector<std::string> expected = {
      "\f",
      "The limit of drain voltage depends on the type of MOS FET. Normally a 600 V type is used.",
      "",
      "In the automatical calculation the drain voltage inclusive overshoots is limited to 600 V.",
      kDrainLimitQuestion + "automatical calculated(Ret)    manually input (1)",
      "\f",
      "",
      "    Result:",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(run.lines[i], expected[i]) << i;
  EXPECT_DOUBLE_EQ(run.state.inputs.U_D_lim, 600);
  EXPECT_FALSE(run.state.flow.ask_drain_limit);
}

TEST(CalculationPages, DrainLimitEnteredByHand) {
  const ScriptRun run = Calculate("1\n650\n", ThreeOutputDemo());
  EXPECT_TRUE(run.Has(kDrainLimitQuestion + "1"));
  EXPECT_TRUE(run.Has("?> Limit of drain voltage [600] => 650"));
  EXPECT_DOUBLE_EQ(run.state.inputs.U_D_lim, 650);
  EXPECT_LE(run.state.transformer.U_D_max, 650);
  EXPECT_GT(run.state.transformer.U_D_max, 600);
}

TEST(CalculationPages, AutomaticLimitForLowMainsVoltages) {
  DesignState mains = ThreeOutputDemo();
  mains.inputs.U_mains_min = 90;
  mains.inputs.U_mains_max = 120;
  EXPECT_DOUBLE_EQ(Calculate("\n", mains).state.inputs.U_D_lim, 400);
  // DC input up to 60 V: 42.4 V rms equivalent.
  DesignState dc = ThreeOutputDemo();
  dc.inputs.dc_input = true;
  dc.inputs.U_mains_min = 40 / std::sqrt(2.0);
  dc.inputs.U_mains_max = 60 / std::sqrt(2.0);
  EXPECT_DOUBLE_EQ(Calculate("\n", dc).state.inputs.U_D_lim, 100);
}

TEST(CalculationPages, TooLowLimitStopsAndAsksForTheLimitAgain) {
  DesignState s = ThreeOutputDemo();
  s.inputs.U_mains_max = 450;  // 700.04 V bus voltage with PFC
  const ScriptRun run = Calculate("\n\n1\n800\n", s);
  const int question = run.Find(kDrainLimitQuestion);
  ASSERT_NE(question, -1);
  const std::vector<std::string> expected = {
      kDrainLimitQuestion + "automatical calculated(Ret)    manually input (1)",
      "",
      "Limit of drain voltage 600 V too low !",
      "?> Limit of drain voltage too low ! [Ret] => Ret",
      "\f",
      "The limit of drain voltage depends on the type of MOS FET. Normally a 600 V type is used.",
      "",
      "In the automatical calculation the drain voltage inclusive overshoots is limited to 600 V.",
      kDrainLimitQuestion + "1",
      "?> Limit of drain voltage [600] => 800",
      "\f",
      "",
      "    Result:",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(question) + i], expected[i]) << i;
  }
  EXPECT_DOUBLE_EQ(run.state.inputs.U_D_lim, 800);
  EXPECT_LE(run.state.transformer.U_D_max, 800);
}

TEST(CalculationPages, TooHighMagnetizationWarningAtFixedFrequency) {
  // 10 kHz minimum fixed frequency: 340 mT become 524 mT.
  const ScriptRun run = Calculate("\n\n", FixedFrequencyDemo(10, 20));
  const int warning = run.Find(" Bmax at min. fixed freq.(");
  ASSERT_GE(warning, 2);
  const std::vector<std::string> expected = {
      "\f",
      "",
      " Bmax at min. fixed freq.( 524 mT) is higher than Bmaxlim ( 340 mT )!",
      "",
      " This can be avoided by a higher airgap or a bigger core !",
      "",
      " Continue with (Ret)",
      "?> Warning: Too high magnetization ! (see note above) [(Ret)] => (Ret)",
      "\f",
      "",
      "    Result:",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(warning) - 2 + i], expected[i]) << i;
  }
  // 50 to 70 kHz: 234.3 mT stays below 340 mT, no warning.
  EXPECT_EQ(Calculate("\n", FixedFrequencyDemo(50, 70)).Find(" Bmax at min. fixed freq.("), -1);
}

TEST(CalculationPages, UnreachableFrequencyAsksTheFrequencyLimitsAgain) {
  DesignState s = ThreeOutputDemo();
  s.inputs.f_low_lim = 1e8;  // kHz
  const ScriptRun run = Calculate("\n\n\n\n", s);
  const int line = run.Find(" The lowest SMPS frequency cannot be reached");
  ASSERT_NE(line, -1);
  const std::vector<std::string> expected = {
      kDrainLimitQuestion + "automatical calculated(Ret)    manually input (1)",
      " The lowest SMPS frequency cannot be reached with this transformer.",
      "?> Lowest SMPS frequency too high ! [Ret] => Ret",
      "\f",
      "?> Lowest SMPS frequency in kHz ? [20] => 20",
      "\f",
      " The limit for the magnetization prevents the transformer from saturation and lies usally "
      "between 300 and 400 mT.",
      "?> Highest magnetization in mT [340] => 340",
      // The new calculation keeps the drain limit.
      "\f",
      "",
      "    Result:",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(line) - 1 + i], expected[i]) << i;
  }
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 340);
  EXPECT_NEAR(run.state.transformer.fsntmin, 23.749, 5e-4);
}

TEST(CalculationPages, UnreachableFixedFrequencyAsksTheFixedFrequenciesFirst) {
  const ScriptRun run = Calculate("\n\n\n\n\n\n", FixedFrequencyDemo(50, 1e8));
  const int line = run.Find("?> Lowest SMPS frequency too high !");
  ASSERT_NE(line, -1);
  const std::vector<std::string> expected = {
      "?> Lowest SMPS frequency too high ! [Ret] => Ret",
      "?> Minimum fixed frequency in kHz ? [50] => 50",
      "?> Maximum fixed frequency in kHz ? [70] => 70",
      "\f",
      "?> Lowest SMPS frequency in kHz ? [20] => 20",
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(run.lines[static_cast<std::size_t>(line) + i], expected[i]) << i;
  }
  EXPECT_DOUBLE_EQ(run.state.inputs.f_fix_max, 70);
  EXPECT_DOUBLE_EQ(run.state.transformer.Bmax, 198);
}

TEST(CalculationPages, NothingIsShownWhileTheOptimizationRuns) {
  DesignState s = Calculated(FixedFrequencyDemo(10, 20));
  s.inputs.f_low_lim = 1e8;
  std::istringstream in;
  std::ostringstream out;
  ScriptConsole console(in, out);
  Dialogue d(console, s);
  const CalculationParts parts{s.transformer, s.inputs.U_D_lim, s.flow.ask_drain_limit,
                               s.component_list};
  EXPECT_EQ(RunCalculation(d, parts, CalculationEntry::kSameDutyCycleAndCurrent,
                           CalculationPurpose::kOptimizationStep),
            CalculationResult::kFrequencyUnreachable);
  s.inputs.f_low_lim = 20;
  s.transformer.Bmax = 340;
  EXPECT_EQ(RunCalculation(d, parts, CalculationEntry::kSameDutyCycleAndCurrent,
                           CalculationPurpose::kOptimizationStep),
            CalculationResult::kFinished);
  EXPECT_EQ(out.str(), "");
}

TEST(CalculationPages, ManualModeEndsInTheWindingTable) {
  DesignState s = Calculated(ThreeOutputDemo());
  s.flow.manual_mode = true;
  s.inputs.wire_answered = true;
  const ScriptRun run = RunScript("", Page::kCalculateSameDutyCycle, s);
  EXPECT_EQ(run.lines.front(), "\f");
  EXPECT_EQ(run.lines[2],
            "Windg.        n / I/A       Irms/cross s.*              Umin/Umax/V Uact/V");
  EXPECT_EQ(run.Find("    Result:"), -1);
}

}  // namespace
}  // namespace flyback

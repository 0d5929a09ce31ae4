#include <gtest/gtest.h>

#include "support/script_run.h"

namespace flyback {
namespace {

// Returns through the outputs and the efficiency of the three-output design,
// or of the four-output design.
const std::string kThreeOutputs = "\n\n\n" + std::string(9, '\n') + "\n";
const std::string kFourOutputs = "\n4\n\n" + std::string(12, '\n') + "\n";

TEST(CircuitOptions, ReturnEverywhereWithThreeOutputs) {
  const ScriptRun run = RunScript(kThreeOutputs + "\n\n\n");
  const DesignState& s = run.state;
  EXPECT_TRUE(s.inputs.PFC);
  EXPECT_EQ(s.inputs.ic_type, ControlIc::kQrm);
  EXPECT_FALSE(s.inputs.THP);
  EXPECT_FALSE(s.inputs.opto_reg);
  EXPECT_FALSE(s.inputs.fixed_freq);
  EXPECT_DOUBLE_EQ(s.inputs.k_T, 1.05);
  EXPECT_DOUBLE_EQ(s.inputs.k_U, 1.1);
  EXPECT_DOUBLE_EQ(s.inputs.k_valley, 1.12);
  EXPECT_DOUBLE_EQ(s.inputs.k_ripple, 0.8);
  EXPECT_EQ(run.Find("?> With temporary high power circuit?"), -1);
  EXPECT_EQ(run.Find("?> Freerunnung or Fixed Frequency"), -1);
  EXPECT_NE(run.Find("?> Regulation with opto coupler ? [No (Ret) Yes(1)] => No (Ret) Yes(1)"), -1);
}

TEST(CircuitOptions, ReturnEverywhereWithFourOutputsRegulatesWithTheOptoCoupler) {
  const ScriptRun run = RunScript(kFourOutputs + "\n\n\n\n");
  EXPECT_TRUE(run.state.inputs.opto_reg);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_opto, 135);
  EXPECT_NE(run.Find("?> Regulation with opto coupler ? [No (0) Yes(Ret)] => No (0) Yes(Ret)"), -1);
  EXPECT_NE(run.Find("?> Nominal value of the opto regulated voltage in V [135] => 135"), -1);
  // "0" is the only answer that switches it off for four outputs.
  EXPECT_FALSE(RunScript(kFourOutputs + "\n\n0\n").state.inputs.opto_reg);
  EXPECT_TRUE(RunScript(kThreeOutputs + "\n\n1\n").state.inputs.opto_reg);
  EXPECT_FALSE(RunScript(kThreeOutputs + "\n\n0\n").state.inputs.opto_reg);
}

TEST(CircuitOptions, OnlyTheExactTextZeroSwitchesPfcOff) {
  for (const char* answer : {" 0", "no", "0 ", "No(0)"}) {
    const ScriptRun run = RunScript(kThreeOutputs + answer + "\n\n\n");
    EXPECT_TRUE(run.state.inputs.PFC) << answer;
    EXPECT_DOUBLE_EQ(run.state.inputs.k_T, 1.05) << answer;
  }
  const ScriptRun off = RunScript(kThreeOutputs + "0\n\n\n");
  EXPECT_FALSE(off.state.inputs.PFC);
  EXPECT_DOUBLE_EQ(off.state.inputs.k_T, 1);
  EXPECT_DOUBLE_EQ(off.state.inputs.k_U, 1);
  EXPECT_DOUBLE_EQ(off.state.inputs.k_valley, 1.12);
}

TEST(CircuitOptions, FirstIcFamilyAsksTemporaryHighPowerAndFrequencyMode) {
  // IC 1, THP with a 50 W limit and 2 s delay, no opto, fixed 50/70 kHz.
  const ScriptRun run = RunScript(kThreeOutputs + "\n1\n1\n50\n2\n\n1\n\n\n");
  const DesignState& s = run.state;
  EXPECT_EQ(s.inputs.ic_type, ControlIc::kPwx);
  EXPECT_TRUE(s.inputs.THP);
  EXPECT_DOUBLE_EQ(s.inputs.P_perm, 50);
  EXPECT_DOUBLE_EQ(s.inputs.t_THP, 2);
  EXPECT_TRUE(s.inputs.fixed_freq);
  EXPECT_DOUBLE_EQ(s.inputs.f_fix_min, 50);
  EXPECT_DOUBLE_EQ(s.inputs.f_fix_max, 70);
  EXPECT_TRUE(run.Has(" Maximum output power =  76 W"));
  EXPECT_NE(run.Find("?>  delay time for THP circuit in s [1] => 2"), -1);
}

TEST(CircuitOptions, DelayTimeMustBeANumber) {
  const ScriptRun run = RunScript(kThreeOutputs + "\n1\n1\n\n2 s\n0.5\n");
  EXPECT_NE(run.Find("?>  delay time for THP circuit in s [1] {Please enter a number.} => 0.5"),
            -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.t_THP, 0.5);
}

TEST(CircuitOptions, FreeRunningKeepsTheStartFrequencies) {
  const ScriptRun run = RunScript(kThreeOutputs + "\n1\n\n\n\n");
  EXPECT_FALSE(run.state.inputs.THP);
  EXPECT_FALSE(run.state.inputs.fixed_freq);
  EXPECT_DOUBLE_EQ(run.state.inputs.f_fix_min, 20);
  EXPECT_DOUBLE_EQ(run.state.inputs.f_fix_max, 21);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_opto, 100);
}

TEST(CircuitOptions, GuardedValuesAreAskedAgain) {
  // Minimum fixed frequency 0 and opto voltage 0 would divide by zero later.
  const ScriptRun run = RunScript(kThreeOutputs + "\n1\n\n1\n0\n12\n1\n0\n50\n");
  EXPECT_NE(run.Find("?> Nominal value of the opto regulated voltage in V [135] {Please enter a "
                     "value above 0.} => 12"),
            -1);
  EXPECT_NE(run.Find("?> Minimum fixed frequency in kHz ? [50] {Please enter a value above 0.} => "
                     "50"),
            -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_opto, 12);
  EXPECT_DOUBLE_EQ(run.state.inputs.f_fix_min, 50);
}

TEST(CircuitOptions, RestartResetsTemporaryHighPowerAndFixedFrequency) {
  DesignState before;
  before.inputs.THP = true;
  before.inputs.fixed_freq = true;
  before.inputs.f_fix_min = 50;
  before.inputs.U_opto = 135;
  const ScriptRun run = RunScript(kThreeOutputs + "\n\n\n", Page::kIntroduction, before);
  EXPECT_FALSE(run.state.inputs.THP);
  EXPECT_FALSE(run.state.inputs.fixed_freq);
  EXPECT_DOUBLE_EQ(run.state.inputs.f_fix_min, 20);
  EXPECT_DOUBLE_EQ(run.state.inputs.U_opto, 100);
}

}  // namespace
}  // namespace flyback

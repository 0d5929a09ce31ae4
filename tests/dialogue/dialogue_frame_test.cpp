#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

#include "support/script_run.h"

namespace flyback {
namespace {

// Only the pages named in a key can make it; anyone else, as this test, reads
// the design as const.
static_assert(!std::is_default_constructible_v<DriverPagesKey>);
static_assert(!std::is_default_constructible_v<InputPagesKey>);
static_assert(!std::is_default_constructible_v<TransformerPagesKey>);
static_assert(!std::is_default_constructible_v<WindingTablePagesKey>);
static_assert(!std::is_default_constructible_v<ReportPagesKey>);
static_assert(!std::is_default_constructible_v<ComponentPagesKey>);
static_assert(std::is_same_v<decltype(std::declval<Dialogue&>().design()), const DesignState&>);

TEST(Introduction, PageAndStartValues) {
  DesignState before;
  before.report.header_asked = true;
  before.flow.manual_mode = true;
  before.flow.ask_drain_limit = false;
  before.inputs.wire_answered = true;
  before.inputs.wire_counts = true;
  before.flow.last_manual_key = "+";
  const ScriptRun run = RunScript("\n", Page::kIntroduction, before);
  ASSERT_GE(run.lines.size(), 25U);
  EXPECT_EQ(run.lines[0], "\f");
  EXPECT_EQ(run.lines[1], "");
  EXPECT_EQ(run.lines[2],
            " This program calculates the transformer and all needed components of a flyback "
            "switched mode power supply.");
  EXPECT_EQ(run.lines[3], "");
  EXPECT_EQ(run.lines[22], " Updated on 15st April 2003.");
  EXPECT_EQ(run.lines[23], "?> continue with OK [continue] => continue");
  EXPECT_EQ(run.lines[24], "\f");

  const DesignState& s = run.state;
  EXPECT_FALSE(s.report.header_asked);
  EXPECT_FALSE(s.flow.manual_mode);
  EXPECT_FALSE(s.flow.turns_kept);
  EXPECT_FALSE(s.inputs.dc_input);
  EXPECT_TRUE(s.flow.ask_drain_limit);
  EXPECT_FALSE(s.inputs.wire_answered);
  EXPECT_FALSE(s.inputs.wire_counts);
  EXPECT_DOUBLE_EQ(s.inputs.k_os_sec, 1.5);
  EXPECT_DOUBLE_EQ(s.inputs.U_F_ic, 0.7);
  EXPECT_DOUBLE_EQ(s.inputs.U_F_sec, 1);
  // The last manual key is remembered for as long as the program runs.
  EXPECT_EQ(s.flow.last_manual_key, "+");
}

TEST(EmptyAnswer, EndsTheProgramAtOnce) {
  const ScriptRun run = RunScript("");
  EXPECT_EQ(run.lines.back(), "?> continue with OK [continue] => <cancel>");
}

TEST(EmptyAnswer, BlanksOnlyAreAnAnswer) {
  // An answer of blanks is not empty: it does not end the program.
  const ScriptRun run = RunScript("   \n");
  EXPECT_NE(run.Find("?> Number of secondary outputs"), -1);
}

TEST(Recording, ReplayingTheRecordReproducesTheSession) {
  // Defaults, typed answers and re-asked questions in one session.
  const std::string answers = "\n4\n\n\n\n\n130\n\n\n\n\n\n\n\n\nabc\n88\n0\n1\n";
  const ScriptRun original = RunScript(answers);
  // Every answer taken is recorded: defaults as their text, typed text as typed.
  EXPECT_EQ(original.recorded.rfind("continue\n4\nPlease use '.' and not ','", 0), 0U);
  EXPECT_NE(original.recorded.find("\nabc\n88\n0\n1\n"), std::string::npos);
  const ScriptRun replay = RunScript(original.recorded);
  EXPECT_EQ(replay.transcript, original.transcript);
  EXPECT_EQ(replay.recorded, original.recorded);
}

}  // namespace
}  // namespace flyback

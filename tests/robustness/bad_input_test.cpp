// Families of bad input across the whole dialogue: what the user sees, and
// that the dialogue goes on.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/defaults_console.h"
#include "support/pass_count.h"
#include "support/script_run.h"
#include "support/temp_dir.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

int Count(const ScriptRun& run, const std::string& prefix) {
  int count = 0;
  for (const std::string& line : run.lines) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
  return count;
}

TEST(BadInput, WholeAnswerQuestionsThatComputeRefuseTexts) {
  // The optimization's start value is computed with: a text is asked again.
  const ScriptRun run = RunScript(kDemonstrationToMainMenu + "1\n300 mT\n-5\n0.5\n\n");
  const std::string question = "?> Starting value for magnetization in mT [300] ";
  EXPECT_NE(run.Find(question + "{Please enter a number.} => -5"), -1);
  EXPECT_NE(run.Find(question + "{Please enter a value above 0.} => 0.5"), -1);
  EXPECT_NE(run.Find("?> Print optimization?"), -1);
}

TEST(BadInput, ZeroAndNegativeValuesAtTheGuardedDesignQuestions) {
  // An own transformer with AL 0 and Ae -1, the special mains range with a
  // minimum of 0, a negative magnetization limit: each is asked again, and
  // the design still reaches its result.
  const std::string answers = std::string(16, '\n') +   // up to the transformer type
                              "3\n\n0\n180\n-1\n120\n"  // own transformer
                              "\n3\n0\n90\n\n"          // overshoot, special range
                              "\n-5\n\n\n";             // frequency, magnetization, drain limit
  const ScriptRun run = RunScript(answers);
  const std::string hint = "{Please enter a value above 0.}";
  EXPECT_NE(run.Find("?> AL-value in nH [180] " + hint + " => 180"), -1);
  EXPECT_NE(run.Find("?> Ae-value in mm² [120] " + hint + " => 120"), -1);
  EXPECT_NE(run.Find("?> Min. mains voltage [90] " + hint + " => 90"), -1);
  EXPECT_NE(run.Find("?> Highest magnetization in mT [340] " + hint + " => 340"), -1);
  EXPECT_NE(run.Find("?> Show number of turns and voltages?"), -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.AL, 180);
  EXPECT_DOUBLE_EQ(run.state.inputs.Ae, 120);
  EXPECT_DOUBLE_EQ(run.state.inputs.Bmaxlim, 340);
}

TEST(BadInput, NumbersOutsideTheComputableRange) {
  // 1E+40 V and 1E-35 A would overflow or underflow later formulas.
  const ScriptRun run = RunScript("\n1\n\n1e40\n99\n101\n1e-35\n0.5\n");
  const std::string hint = "{Please enter a value between 1E-30 and 1E+30.}";
  EXPECT_NE(run.Find("?> Minimum output voltage V1 in V ? [99] " + hint + " => 99"), -1);
  EXPECT_NE(run.Find("?> Maximum output current I1 in A ? [0.5] " + hint + " => 0.5"), -1);
  EXPECT_DOUBLE_EQ(run.state.inputs.output(1).Imax, 0.5);
}

TEST(BadInput, ReportNamesThatCannotBeCreated) {
  TempDir dir;
  const std::string good = (dir.path() / "result.doc").string();
  const std::string long_name(300, 'a');
  const ScriptRun run =
      RunScript(kDemonstrationToMainMenu + "2\n\n\n" + (dir.path() / "missing" / "r.doc").string() +
                "\n/sys/flyback.doc\n.\n" + long_name + "\n" + good + "\n");
  EXPECT_NE(run.Find(" Cannot create the file \"" + (dir.path() / "missing" / "r.doc").string() +
                     "\": No such file or directory"),
            -1);
  // A read-only location: the reason depends on how the system mounts it.
  EXPECT_NE(run.Find(" Cannot create the file \"/sys/flyback.doc\": "), -1);
  EXPECT_NE(run.Find(" Cannot create the file \".\": Is a directory"), -1);
  EXPECT_NE(run.Find(" Cannot create the file \"" + long_name + "\": File name too long"), -1);
  EXPECT_EQ(Count(run, "?> Name of output file [Name0001.doc] {Please enter another file name.}"),
            4);
  EXPECT_TRUE(std::filesystem::exists(good));
  // The report is written and the main menu follows.
  EXPECT_EQ(run.lines.back(), "?> Choice for continuation [1] => <cancel>");
}

TEST(BadInput, FullDiskDuringAReportLeadsBackToTheMainMenu) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const ScriptRun run = RunScript(kDemonstrationToMainMenu + "3\n\n\n\n/dev/full\n");
  const int menus = Count(run, "?> Choice for continuation [1]");
  EXPECT_EQ(menus, 2);
  EXPECT_NE(run.transcript.find("No space left on device"), std::string::npos);
}

TEST(BadInput, AnOptimizationThatWouldNeverEndStopsItsList) {
  // From 1E+6 mT with practically no lower frequency limit, no local maximum
  // ever reaches 1000 kHz: the list ends after 100000 steps of 0.25 mT.
  // Return at every question; the final question is cancelled.
  DesignState design = Calculated(ThreeOutputDemo());
  design.inputs.f_low_lim = 1e-9;
  DefaultsConsole console("Magnetization", {{"Starting value for magnetization in mT", "1e6"}});
  PassCount count;
  RunPages(console, design, Page::kOptimization, nullptr, &count);
  const std::vector<std::string>& lines = console.lines();
  ASSERT_GE(lines.size(), 5U);
  EXPECT_EQ(lines[lines.size() - 5], "Absolute maximum:");
  EXPECT_EQ(lines.back(), "are the output voltages in the middle of the tolerances !)");
  // The last step calculated 99999 × 0.25 mT below the start value.
  EXPECT_DOUBLE_EQ(design.transformer.Bmax, 1e6 - 99999 * 0.25);
  EXPECT_GE(count.passes, 100000);
}

}  // namespace
}  // namespace flyback

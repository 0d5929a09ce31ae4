// A report that cannot be written any more gives up the report only: the
// dialogue goes on at the main menu with the design as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "dialogue/driver.h"
#include "script_console.h"

namespace flyback {
namespace {

// Return at every question of the three-output demonstration design up to
// the result screen, which then leads to the main menu.
std::string DemonstrationToMainMenu() {
  return std::string(23, '\n') + "1\n";
}

std::string RunWholeDialogue(const std::string& answers, DesignState& state) {
  std::istringstream in(answers);
  std::ostringstream out;
  ScriptConsole console(in, out);
  RunDialogue(console, state);
  return out.str();
}

constexpr const char* kMainMenuStart = "\f\n\n\nOptimization of the output voltages       (1)\n";

TEST(ReportAbort, FullDiskDuringTheResultReportLeadsToTheMainMenu) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  DesignState state;
  const std::string transcript =
      RunWholeDialogue(DemonstrationToMainMenu() + "2\n\n\n/dev/full\n", state);
  EXPECT_NE(transcript.find("=> /dev/full\n"
                            " Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
  EXPECT_DOUBLE_EQ(state.Bmax, 340);  // the design is kept
}

TEST(ReportAbort, FullDiskDuringTheOptimizationListLeavesTheSweep) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  DesignState state;
  // Start value 300 mT, printed list into /dev/full.
  const std::string transcript =
      RunWholeDialogue(DemonstrationToMainMenu() + "1\n\n1\n\n\n/dev/full\n", state);
  EXPECT_NE(transcript.find(" Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
  EXPECT_FALSE(state.optim_running);
}

TEST(ReportAbort, FullDiskDuringTheComponentListLeadsToTheMainMenu) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  DesignState state;
  const std::string transcript =
      RunWholeDialogue(DemonstrationToMainMenu() + "3\n\n\n\n/dev/full\n", state);
  EXPECT_NE(transcript.find(" Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
}

}  // namespace
}  // namespace flyback

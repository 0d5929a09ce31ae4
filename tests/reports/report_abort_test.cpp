// A report that cannot be written any more gives up the report only: the
// dialogue goes on at the main menu with the design as it was.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/script_run.h"

namespace flyback {
namespace {

constexpr const char* kMainMenuStart = "\f\n\n\nOptimization of the output voltages       (1)\n";

TEST(ReportAbort, FullDiskDuringTheResultReportLeadsToTheMainMenu) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const ScriptRun run = RunScript(kDemonstrationToMainMenu + "2\n\n\n/dev/full\n");
  const std::string& transcript = run.transcript;
  const DesignState& state = run.state;
  EXPECT_NE(transcript.find("=> /dev/full\n"
                            " Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
  EXPECT_DOUBLE_EQ(state.transformer.Bmax, 340);  // the design is kept
}

TEST(ReportAbort, FullDiskDuringTheOptimizationListLeavesTheSweep) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // Start value 300 mT, printed list into /dev/full.
  const ScriptRun run = RunScript(kDemonstrationToMainMenu + "1\n\n1\n\n\n/dev/full\n");
  const std::string& transcript = run.transcript;
  EXPECT_NE(transcript.find(" Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
}

TEST(ReportAbort, FullDiskDuringTheComponentListLeadsToTheMainMenu) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const ScriptRun run = RunScript(kDemonstrationToMainMenu + "3\n\n\n\n/dev/full\n");
  const std::string& transcript = run.transcript;
  EXPECT_NE(transcript.find(" Cannot write the file \"/dev/full\": No space left on device\n" +
                            std::string(kMainMenuStart)),
            std::string::npos)
      << transcript;
}

}  // namespace
}  // namespace flyback

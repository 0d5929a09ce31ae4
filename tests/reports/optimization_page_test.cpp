// The optimization page inside the whole dialogue: the three-output
// demonstration design with Return everywhere, the result screen left to the
// main menu.

#include <gtest/gtest.h>

#include <string>

#include "support/script_run.h"

namespace flyback {
namespace {

TEST(OptimizationPage, ListEndsBeforeBmaxReachesZero) {
  // From 0.5 mT only two steps are possible: no row is listed, and the
  // absolute maximum shows cfmax 0, the start value and the frequency and
  // voltage per turn of the design before the page (23.7 kHz, 1.91 V).
  const std::string transcript = RunScript(kDemonstrationToMainMenu + "1\n0.5\n\n").transcript;
  // Each number fills its 14-column zone.
  const std::string row = " 0" + std::string(12, ' ') + " 0.5" + std::string(10, ' ') + " 23.7" +
                          std::string(9, ' ') + " 1.91 ";
  EXPECT_NE(transcript.find("cfmax         Bmax          fsntmin       U_ts          graph cfmax\n"
                            "\n"
                            "\n"
                            "Absolute maximum:\n" +
                            row +
                            "\n"
                            "\n"
                            "Please enter Bmax !"),
            std::string::npos)
      << transcript;
}

TEST(OptimizationPage, FinalCalculationReturnsToTheDesignOfTheChosenBmax) {
  const DesignState state = RunScript(kDemonstrationToMainMenu + "1\n0.5\n\n340\n").state;
  EXPECT_DOUBLE_EQ(state.transformer.Bmax, 340);
  EXPECT_NEAR(state.transformer.U_ts, 1.9063, 5e-5);  // the demonstration design again
  EXPECT_NEAR(state.transformer.fsntmin, 23.749, 5e-4);
  EXPECT_DOUBLE_EQ(state.transformer.n_out(1), 53);
}

}  // namespace
}  // namespace flyback

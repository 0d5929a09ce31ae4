// The core adviser's hard limits: the saturation flux of the ferrites over
// temperature, and verdicts on the 80 W demonstration derived by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/adviser/core_ranking.h"
#include "engine/adviser/ferrite_saturation.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// N87 (TDK data sheet): 490 mT at 25 °C, 390 mT at 100 °C, Curie point
// 210 °C. By hand: 62.5 °C lies halfway, 440 mT; 120 °C is 90/110 of the
// way from 100 °C down to the Curie point, 390 × 90/110 = 319.09 mT. A
// grade the table does not know takes 3C90's 380 mT at 100 °C.
TEST(FerriteSaturation, StraightLinesThroughTheDataSheetFigures) {
  const FerriteLimits& n87 = FerriteLimitsFor("N87");
  const struct {
    double T_C, B_mT;
  } cases[] = {{25, 490}, {62.5, 440}, {100, 390}, {120, 319.0909}, {210, 0}, {250, 0}};
  for (const auto& c : cases) EXPECT_NEAR(SaturationFlux_mT(n87, c.T_C), c.B_mT, 1e-4) << c.T_C;
  EXPECT_DOUBLE_EQ(SaturationFlux_mT(FerriteLimitsFor("unknown grade"), 100), 380);
}

const RankedCandidate& Candidate(const CoreAdvice& advice, const std::string& name, double g_mm) {
  const auto found =
      std::find_if(advice.ranking.begin(), advice.ranking.end(), [&](const RankedCandidate& r) {
        const CoreCandidate& c = r.assessment.candidate;
        return c.name == name && c.g_mm && std::abs(*c.g_mm - g_mm) < 1e-9;
      });
  EXPECT_NE(found, advice.ranking.end()) << name << " " << g_mm;
  return *found;
}

bool HasReason(const RankedCandidate& ranked, const std::string& part) {
  return std::any_of(ranked.reasons.begin(), ranked.reasons.end(),
                     [&part](const std::string& r) { return r.find(part) != std::string::npos; });
}

// EF 25 at 0.1 mm, free running, by hand: AL = 90 × 0.1^-0.731 =
// 484.443 nH, n_prim = 8.78529, L_prim = 37.390 µH, U_refl = n_prim · U_ts
// = 101.672 V (see SmallLayerCoreAtFixedFrequencyIsRejected). In boundary
// mode the period is 2·P_in·k_T²·L·(1/U_bus + 1/U_refl)²: at the highest
// input voltage (U_bus 420.02 V) 0.0123042 µs per watt, so the stage
// switches above the 300 kHz of N87's loss data for any input power below
// 1000/(0.0123042 × 300) = 270.9 W, 3.5 times the output: rejected for the
// frequency. Its outputs miss their windows, so the voltage optimization
// runs; it only lowers Bmax, so n_prim and L_prim fall while U_refl =
// U_peak/q_D stays, and the frequency only rises. Every calculated candidate keeps Bmax ≤ 340 mT,
// and one at 340 mT reaches 340 × 1.1 × 1.05 = 392.7 mT with the current limit's and the AL's
// tolerance, above N87's 390 mT at 100 °C. EF 25 at 2 mm and 3 mm are rejected too (a hot spot far
// above 120 °C).
TEST(HardLimits, DemonstrationVerdictsByHand) {
  const CoreAdvice advice = AdviseCores(CalculatedWithComponents(ThreeOutputDemo()), nullptr);
  const RankedCandidate& ef25_small_gap = Candidate(advice, "EF 25", 0.1);
  EXPECT_EQ(ef25_small_gap.verdict, CandidateVerdict::kRejected);
  EXPECT_TRUE(HasReason(ef25_small_gap,
                        "at the highest input voltage, outside the loss data of "
                        "N87 (0 to 300 kHz)"));
  EXPECT_TRUE(ef25_small_gap.assessment.voltage_optimization_ran);
  ASSERT_TRUE(ef25_small_gap.assessment.limits);
  EXPECT_GT(ef25_small_gap.assessment.limits->f_highest_kHz, 300);
  for (const double g_mm : {2.0, 3.0}) {
    const RankedCandidate& ef25 = Candidate(advice, "EF 25", g_mm);
    EXPECT_EQ(ef25.verdict, CandidateVerdict::kRejected) << g_mm;
    EXPECT_FALSE(ef25.reasons.empty());
  }
  for (const RankedCandidate& ranked : advice.ranking) {
    const CandidateAssessment& a = ranked.assessment;
    if (!a.figures || a.figures->Bmax_mT != 340) continue;
    EXPECT_NEAR(a.limits->B_peak_tolerance_mT, 392.7, 1e-9) << a.candidate.name;
    // Rejected for saturation exactly where the hot spot passes 98 °C:
    // 25 + (490 − 392.7)·75/100 = 97.975 °C on N87.
    const bool hot = a.limits->T_hot_spot_C && *a.limits->T_hot_spot_C > 97.975;
    EXPECT_EQ(HasReason(ranked, "exceeds the saturation of N87"), hot) << a.candidate.name;
  }
  // Every candidate that is not rejected keeps every limit: its hot spot
  // within 120 °C and its windings within the window.
  for (const RankedCandidate& ranked : advice.ranking) {
    if (ranked.verdict == CandidateVerdict::kRejected) continue;
    const LimitFigures& l = *ranked.assessment.limits;
    EXPECT_LE(l.T_hot_spot_C.value_or(0), 120) << ranked.assessment.candidate.name;
    EXPECT_LE(l.window_fill.value_or(0), 1) << ranked.assessment.candidate.name;
  }
}

}  // namespace
}  // namespace flyback

// The core adviser's hard limits: the saturation flux of the ferrites over
// temperature, and verdicts on the 80 W demonstration derived by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

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

// EF 25 at a small airgap, free running, by hand. At 0.1 mm AL = 90 ×
// 0.1^-0.731 = 484.443 nH, n_prim = 340 × 52.5/(4.194108 × 484.443) =
// 8.78529, L_prim = 37.390 µH, U_refl = U_peak/q_D = 127.2792/1.251866 =
// 101.672 V (see SmallLayerCoreAtFixedFrequencyIsRejected). In boundary
// mode the period is 2·P_in·k_T²·L·(1/U_bus + 1/U_refl)²: at the highest
// input voltage (U_bus 420.02 V) 0.0123042 µs per watt, so the stage
// switches above the 300 kHz of N87's loss data for any input power below
// 1000/(0.0123042 × 300) = 270.9 W. At 0.2 mm AL = 292.61 nH, n_prim =
// 14.545, L_prim = 61.90 µH, 0.020370 µs per watt: above 300 kHz below
// 163.6 W of input power, that is at an efficiency above 76/163.6 = 46.5 %.
// Their outputs miss their windows, so the voltage optimization runs; it
// only lowers Bmax, so n_prim and L_prim fall while U_refl stays, and the
// frequency only rises.
TEST(HardLimits, SmallAirgapsSwitchAboveTheLossData) {
  const CoreAdvice advice = AdviseCores(CalculatedWithComponents(ThreeOutputDemo()), nullptr);
  for (const double g_mm : {0.1, 0.2}) {
    const RankedCandidate& ef25 = Candidate(advice, "EF 25", g_mm);
    EXPECT_EQ(ef25.verdict, CandidateVerdict::kRejected) << g_mm;
    EXPECT_TRUE(ef25.assessment.voltage_optimization_ran) << g_mm;
    ASSERT_TRUE(ef25.assessment.figures);
    EXPECT_GT(ef25.assessment.figures->efficiency, 0.465) << g_mm;
    EXPECT_TRUE(HasReason(ef25,
                          "at the highest input voltage, outside the loss data of N87 (0 "
                          "to 300 kHz)"))
        << g_mm;
  }
}

// EF 25 at large airgaps keeps Bmax = 340 mT (fsntmin above 20 kHz, the
// outputs within their windows). By hand, at 3 mm: AL = 40.315 nH,
// n_prim = 105.568 (106 turns), U_ts = 0.96309 V, L_prim = 449.29 µH,
// t_on = 14.805 µs, t_off = 18.534 µs, fsntmin = 28.566 kHz. At 6 A/mm²
// the primary's 1.61 A rms takes 0.27 mm², the outputs' 0.79, 1.59 and
// 1.59 A take 0.13, 0.27 and 0.27 mm² on at least 99/U_ts, 15.5/U_ts and
// 8/U_ts turns: at least 48.57 mm² of copper. Over K_u = 0.4 and with the
// margins 2 × 2.5 mm × 95.3/14.9 mm and the tapes 6 × 0.05 × 14.9 mm
// (36.45 mm²) they need at least (121.43 + 36.45)/95.3 = 165.7 % of the
// window. At 2 mm (AL = 54.16 nH, n_prim = 78.489, fsntmin = 38.422 kHz)
// likewise at least 132.4 %. Both do not fit.
TEST(HardLimits, LargeAirgapsDoNotFitTheWindow) {
  const CoreAdvice advice = AdviseCores(CalculatedWithComponents(ThreeOutputDemo()), nullptr);
  for (const auto& [g_mm, least_fill] : {std::pair{3.0, 1.6566}, std::pair{2.0, 1.3241}}) {
    const RankedCandidate& ef25 = Candidate(advice, "EF 25", g_mm);
    EXPECT_EQ(ef25.verdict, CandidateVerdict::kRejected) << g_mm;
    EXPECT_FALSE(ef25.assessment.voltage_optimization_ran) << g_mm;
    ASSERT_TRUE(ef25.assessment.limits);
    EXPECT_GE(ef25.assessment.limits->window_fill.value_or(0), least_fill) << g_mm;
    EXPECT_TRUE(HasReason(ef25, "its windings with the safety insulation need")) << g_mm;
  }
}

// Every candidate at 340 mT reaches 340 × 1.1 × 1.05 = 392.7 mT with the
// current limit's and the AL's tolerance, and is rejected for saturation
// exactly where its hot spot passes 25 + (490 − 392.7) × 75/100 =
// 97.975 °C on N87 (a rise that runs away is its own reason). Every candidate not rejected keeps
// its hot spot within 120 °C and its windings within the window.
TEST(HardLimits, SaturationAndTheKeptLimitsOfTheDemonstration) {
  const CoreAdvice advice = AdviseCores(CalculatedWithComponents(ThreeOutputDemo()), nullptr);
  for (const RankedCandidate& ranked : advice.ranking) {
    const CandidateAssessment& a = ranked.assessment;
    if (!a.figures) continue;
    const LimitFigures& l = *a.limits;
    if (a.figures->Bmax_mT == 340) {
      EXPECT_NEAR(l.B_peak_tolerance_mT, 392.7, 1e-9) << a.candidate.name;
      const bool hot = !l.rise_runs_away && l.T_hot_spot_C && *l.T_hot_spot_C > 97.975;
      EXPECT_EQ(HasReason(ranked, "exceeds the saturation of N87"), hot) << a.candidate.name;
    }
    if (ranked.verdict == CandidateVerdict::kRejected) continue;
    EXPECT_LE(l.T_hot_spot_C.value_or(0), 120) << a.candidate.name;
    EXPECT_LE(l.window_fill.value_or(0), 1) << a.candidate.name;
  }
}

}  // namespace
}  // namespace flyback

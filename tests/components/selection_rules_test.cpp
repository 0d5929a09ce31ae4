#include "engine/components/selection_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "engine/components/diode_catalogue.h"

namespace flyback {
namespace {

TEST(SelectCapacitor, VoltageRatingLimitIncluded) {
  EXPECT_EQ(select_capacitor(16, 1).U_rating, 16);
  EXPECT_EQ(select_capacitor(16.1, 1).U_rating, 25);
  EXPECT_EQ(select_capacitor(600, 1).U_rating, 500);
}

TEST(SelectCapacitor, FiveVoltTwoAmpereOutput) {
  // U = 1.25 x 5 V; demand 20000 x 2 / 6.25 = 6400 µF.
  const CapacitorChoice c = select_capacitor(6.25, 2);
  EXPECT_EQ(c.U_rating, 16);
  EXPECT_EQ(c.C, 10000);
}

TEST(SelectCapacitor, ZeroVoltOutputHasNoZeroDivision) {
  EXPECT_EQ(select_capacitor(0, 1).C, 10000);
  EXPECT_EQ(select_capacitor(0, 0).C, 10);
  EXPECT_EQ(select_capacitor(0, 0).U_rating, 16);
}

// The output current whose diode current (1.75 times) is the given value.
double OutputCurrentFor(double I_diode) {
  return I_diode / kOutputDiodeCurrentFactor;
}

TEST(SelectOutputDiode, VoltageClassLimitIncluded) {
  EXPECT_EQ(select_output_diode(100, OutputCurrentFor(0.1)), diode::k1N4148);
  EXPECT_EQ(select_output_diode(100.1, OutputCurrentFor(0.1)), diode::kMUR120);
}

TEST(SelectOutputDiode, CurrentLimitIncluded) {
  ASSERT_EQ(1.75 * OutputCurrentFor(0.15), 0.15);
  EXPECT_EQ(select_output_diode(50, OutputCurrentFor(0.15)), diode::k1N4148);
  EXPECT_EQ(select_output_diode(50, OutputCurrentFor(std::nextafter(0.15, 1.0))), diode::kMUR120);
}

TEST(SelectOutputDiode, ExampleCurrentsOfTheDiodeTable) {
  // 100 V class.
  EXPECT_EQ(select_output_diode(80, OutputCurrentFor(0.1)), diode::k1N4148);
  EXPECT_EQ(select_output_diode(80, OutputCurrentFor(3)), diode::kMUR420);
  EXPECT_EQ(select_output_diode(80, OutputCurrentFor(6.5)), diode::kBYW29);
  EXPECT_EQ(select_output_diode(80, OutputCurrentFor(8.5)), diode::kBYV29);
  EXPECT_EQ(select_output_diode(80, OutputCurrentFor(9.5)), diode::kNone);
  // 400 V class: nothing between 4 and 9 A but BYV 29.
  EXPECT_EQ(select_output_diode(300, OutputCurrentFor(5)), diode::kBYV29);
  // 1200 V class: only STTA512D up to 5 A.
  EXPECT_EQ(select_output_diode(1100, OutputCurrentFor(0.1)), diode::kSTTA512D);
  EXPECT_EQ(select_output_diode(1100, OutputCurrentFor(6)), diode::kNone);
  // Above 1200 V there is no diode at all.
  EXPECT_EQ(select_output_diode(1200.1, OutputCurrentFor(0.1)), diode::kNone);
}

TEST(SelectOutputDiode, ClassesSkipMissingLimits) {
  // 200 V class has no 0.15 A part; 800 V class starts at 4 A.
  EXPECT_EQ(select_output_diode(150, OutputCurrentFor(0.1)), diode::kMUR120);
  EXPECT_EQ(select_output_diode(700, OutputCurrentFor(0.1)), diode::kMUR490);
  EXPECT_EQ(select_output_diode(500, OutputCurrentFor(12.5)), diode::kKYD100);
  EXPECT_EQ(select_output_diode(900, OutputCurrentFor(2)), diode::kMUR4100);
}

TEST(SelectDiodes, FilterAndPfcDiodes) {
  EXPECT_EQ(select_D05(1.5), diode::kBYW76);
  EXPECT_EQ(select_D05(1.51), diode::kMUR460);
  EXPECT_EQ(select_pfc_diode(15), diode::kSTTA506D);
  EXPECT_EQ(select_pfc_diode(15.01), diode::kKYD100);
  EXPECT_EQ(select_D09(4.99), diode::kMUR460);
  EXPECT_EQ(select_D09(5), diode::kSTTA506D);
}

TEST(SelectBridge, FastSetOnlyWithPfcAndConventionalFilter) {
  EXPECT_EQ(select_bridge(true, MainsFilter::kConventional, 0.5).printed,
            " 4* BYW76      600 V, 1A, 50ns");
  EXPECT_EQ(select_bridge(true, MainsFilter::kNotAsked, 1.01).printed,
            " 4* MUR460     600 V, 4 A, 75 ns");
  EXPECT_EQ(select_bridge(true, MainsFilter::kDcFilter, 0.5).printed, " 4*1N4007      1000 V, 1 A");
  EXPECT_EQ(select_bridge(false, MainsFilter::kConventional, 0.5).printed,
            " 4*1N4007      1000 V, 1 A");
}

TEST(SelectBridge, LimitsAreExclusive) {
  EXPECT_EQ(select_bridge(false, MainsFilter::kConventional, 1).printed,
            " 4*1N4007      1000 V, 1 A");
  EXPECT_EQ(select_bridge(false, MainsFilter::kConventional, 2).printed,
            " 4* BY 246-06  600 V, 2 A");
  EXPECT_EQ(select_bridge(false, MainsFilter::kConventional, 2.01).printed,
            " 4* MUR460     600 V, 4 A, 75ns");
  EXPECT_EQ(select_bridge(true, MainsFilter::kConventional, 4).printed,
            " 4* MUR460     600 V, 4 A, 75 ns");
  EXPECT_EQ(select_bridge(true, MainsFilter::kConventional, 4.01).printed,
            " 4* KBPC606    600 V, 6 A, Int. Rect.");
  EXPECT_EQ(select_bridge(false, MainsFilter::kDcFilter, 6.01).printed,
            " 4* 26MB60A    600 V, 25 A, Int. Rect.");
}

TEST(SelectNtc, FirstRowBelowItsLimit) {
  EXPECT_EQ(select_ntc(0.49).printed, " 5 Ohm         S235, NTC- Resistor");
  EXPECT_EQ(select_ntc(0.5).printed, " 5 Ohm         S237, NTC- Resistor");
  EXPECT_EQ(select_ntc(5.99).printed, " 1 Ohm         S237, NTC- Resistor");
  EXPECT_EQ(select_ntc(6).printed, "                 Special circuit necessary");
}

TEST(SelectFilterChoke, TenAmpereNeedsTheSpecialChoke) {
  EXPECT_EQ(select_filter_choke(9.99).printed,
            " 2*1.8 mH,10 A   Filter- Choke, Epcos, no. B82725-A2103-N1");
  EXPECT_EQ(select_filter_choke(10).printed, " Special filter ckoke necessary");
  EXPECT_EQ(select_filter_choke(0.1).printed,
            " 2*47 mH,0.3 A   Filter- Choke, Epcos, no. B82721-J2301-N20");
}

TEST(SelectMosfet, SixHundredVoltClass) {
  EXPECT_EQ(select_mosfet(600, 2.7).proposal.part, "QMP02N60X5");
  const MosfetRow& next = select_mosfet(600, 2.71);
  EXPECT_EQ(next.proposal.part, "QMP03N60X5");
  EXPECT_EQ(next.proposal.printed, " QMP03N60X5    600V, 1.4 Ohm, 3.2A");
  EXPECT_EQ(next.R_DSon, 1.4);
  EXPECT_EQ(next.C_iss, 400);
  EXPECT_EQ(select_mosfet(600, 31.06).proposal.part, "QMW47N60X5");
}

TEST(SelectMosfet, VoltageClasses) {
  EXPECT_EQ(select_mosfet(601, 2.7).proposal.part, "QMP02N80X5");
  EXPECT_EQ(select_mosfet(100, 50).proposal.part, "KTQ 22");
  EXPECT_EQ(select_mosfet(400, 1.5).proposal.part, "KTQ 76A");
  EXPECT_EQ(select_mosfet(400, 4.01).proposal.part, "KTQ 61");
  for (double I : {0.1, 5.0, 100.0}) {
    const MosfetRow& m = select_mosfet(1000, I);
    EXPECT_EQ(m.proposal.part, "KTQ312");
    EXPECT_EQ(m.C_iss, 1950);
  }
}

TEST(SelectPfcChoke, StepLimitsIncluded) {
  const PfcChokeChoice lowest = select_pfc_choke(37.5, 1.23);
  EXPECT_EQ(lowest.L08, 0.15);
  EXPECT_DOUBLE_EQ(lowest.I_L08, 1.2);
  EXPECT_EQ(lowest.proposal.printed, " PFC choke, no proposal");
}

TEST(SelectPfcChoke, ComputedCaseOutsideTheSteps) {
  const PfcChokeChoice small = select_pfc_choke(30, 1);
  EXPECT_DOUBLE_EQ(small.L08, 0.1);
  EXPECT_EQ(small.proposal.printed, " PFC choke, no proposal");
  EXPECT_DOUBLE_EQ(select_pfc_choke(1000, 0.5).L08, 3.33);
  // The 3 mH step above 0.8 A.
  EXPECT_DOUBLE_EQ(select_pfc_choke(900, 0.81).L08, 3);
}

TEST(SelectPfcChoke, CatalogueChokeUpToItsRatedCurrent) {
  const PfcChokeChoice rated = select_pfc_choke(450, 1.7);
  EXPECT_EQ(rated.L08, 1.5);
  EXPECT_EQ(rated.I_L08, 1.7);
  EXPECT_EQ(rated.proposal.printed, " PFC choke, Epcos, no. B82614-R2172-A30");
  const PfcChokeChoice over = select_pfc_choke(450, 1.71);
  EXPECT_EQ(over.L08, 1.5);
  EXPECT_DOUBLE_EQ(over.I_L08, 1.7);
  EXPECT_EQ(over.proposal.printed, " PFC choke, no proposal");
}

TEST(SelectPfcChoke, TwoMilliHenryChokeIsRatedOneAmpere) {
  const PfcChokeChoice choke = select_pfc_choke(500, 1.2);
  EXPECT_EQ(choke.L08, 2);
  EXPECT_EQ(choke.I_L08, 1);
  EXPECT_EQ(select_pfc_choke(100, 5).proposal.printed, " PFC choke no proposal");
}

}  // namespace
}  // namespace flyback

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "base/console/number_text.h"
#include "engine/components/diode_catalogue.h"
#include "engine/components/mains_part_catalogue.h"
#include "engine/components/mosfet_catalogue.h"
#include "engine/components/pfc_choke_catalogue.h"
#include "engine/components/step_lists.h"

namespace flyback {
namespace {

// Every printed proposal begins with a blank and ends without one.
void ExpectProposalText(std::string_view text) {
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.front(), ' ') << '"' << text << '"';
  EXPECT_NE(text.back(), ' ') << '"' << text << '"';
}

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

// The fields of a proposal say what its printed words say: the part and
// every figure of the rating stand in them (blanks aside; ".4" for 0.4), and
// the fields themselves carry no layout.
void ExpectFieldsMatchPrinted(const Proposal& p) {
  ExpectProposalText(p.printed);
  const std::string printed = WithoutBlanks(p.printed);
  for (std::string_view field : {p.part, p.rating, p.remark, p.unit}) {
    if (field.empty()) continue;
    EXPECT_NE(field.front(), ' ') << p.printed;
    EXPECT_NE(field.back(), ' ') << p.printed;
    EXPECT_EQ(field.find("  "), std::string_view::npos) << p.printed;
  }
  EXPECT_NE(printed.find(WithoutBlanks(p.part)), std::string::npos) << p.printed;
  std::string_view rating = p.rating;
  while (!rating.empty()) {
    const std::size_t comma = rating.find(", ");
    const std::string figure = WithoutBlanks(rating.substr(0, comma));
    const bool found =
        printed.find(figure) != std::string::npos ||
        (figure.starts_with("0.") && printed.find(figure.substr(1)) != std::string::npos);
    EXPECT_TRUE(found) << figure << " in " << p.printed;
    // A clean figure is a number, one blank and a unit.
    EXPECT_NE(rating.substr(0, comma).find(' '), std::string_view::npos) << p.rating;
    rating = comma == std::string_view::npos ? std::string_view() : rating.substr(comma + 2);
  }
  if (!p.unit.empty()) {
    EXPECT_NE(printed.find(NumberText(p.value) + std::string(p.unit)), std::string::npos)
        << p.printed;
  }
  EXPECT_GE(p.quantity, 1);
  if (p.quantity > 1) {
    EXPECT_TRUE(printed.starts_with(std::to_string(p.quantity) + "*")) << p.printed;
  }
}

// Rows grouped by a class limit: classes ascend, and within a class the row
// limits ascend.
template <typename Rows, typename ClassOf, typename LimitOf>
void ExpectGroupedAscending(const Rows& rows, ClassOf class_of, LimitOf limit_of) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const auto& before = rows[i - 1];
    const auto& row = rows[i];
    EXPECT_LE(class_of(before), class_of(row)) << "row " << i;
    if (class_of(before) == class_of(row)) {
      EXPECT_LT(limit_of(before), limit_of(row)) << "row " << i;
    }
  }
}

TEST(DiodeCatalogue, OutputDiodeRows) {
  ExpectGroupedAscending(
      diode::kOutputDiodes, [](const auto& r) { return r.U_rev_max; },
      [](const auto& r) { return r.I_diode_max; });
  for (const auto& row : diode::kOutputDiodes) ExpectFieldsMatchPrinted(row.proposal);
  EXPECT_EQ(diode::kOutputDiodes.back().U_rev_max, 1200);
}

TEST(DiodeCatalogue, TextsAreDistinct) {
  std::set<std::string_view> texts;
  for (const Proposal& diode :
       {diode::k1N4148, diode::kMUR120, diode::kMUR160, diode::kMUR420, diode::kMUR460,
        diode::kMUR490, diode::kMUR1100, diode::kMUR4100, diode::kFE6D9344, diode::kBYW29,
        diode::kBYV29, diode::kBYW76, diode::kBYR29_800, diode::kSTTA506D, diode::kSTTA806D,
        diode::kSTTA512D, diode::kKYD100, diode::kNone}) {
    texts.insert(diode.printed);
    ExpectFieldsMatchPrinted(diode);
  }
  EXPECT_EQ(texts.size(), 18u);
  EXPECT_EQ(diode::kKYD100.printed, " KYD 100       1000 V, 12.5 A, 55 ns");
  EXPECT_EQ(diode::kBYR29_800.printed, " BYR 29 800    800 V, 8 A, 75 ns");
}

template <typename Rows>
void ExpectLaddersAscend(const Rows& rows) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if constexpr (requires { rows[i].below; }) {
      EXPECT_LT(rows[i - 1].below, rows[i].below);
    } else {
      EXPECT_LT(rows[i - 1].above, rows[i].above);
    }
  }
  for (const auto& row : rows) ExpectFieldsMatchPrinted(row.proposal);
}

TEST(DiodeCatalogue, SmallDiodeRules) {
  ExpectLaddersAscend(diode::kD05);
  ExpectLaddersAscend(diode::kPfcDiode);
  ExpectLaddersAscend(diode::kD09);
  EXPECT_EQ(diode::kD09.back().below, kNoLimit);
}

TEST(MainsPartCatalogue, RowsAscendAndEndOpen) {
  ExpectLaddersAscend(kNtcThermistors);
  ExpectLaddersAscend(kFilterChokes);
  ExpectLaddersAscend(kFastBridges);
  ExpectLaddersAscend(kSlowBridges);
  EXPECT_EQ(kNtcThermistors.back().below, kNoLimit);
  EXPECT_EQ(kFilterChokes.back().below, kNoLimit);
  EXPECT_EQ(kFastBridges.front().above, -kNoLimit);
  EXPECT_EQ(kSlowBridges.front().above, -kNoLimit);
}

TEST(MainsPartCatalogue, TheTwoMur460TextsDiffer) {
  EXPECT_EQ(kFastBridges[1].proposal.printed, " 4* MUR460     600 V, 4 A, 75 ns");
  EXPECT_EQ(kSlowBridges[2].proposal.printed, " 4* MUR460     600 V, 4 A, 75ns");
  // As parts they are the same.
  EXPECT_EQ(kFastBridges[1].proposal.rating, kSlowBridges[2].proposal.rating);
}

TEST(MosfetCatalogue, ClassesAscendAndEachEndsWithAnyCurrent) {
  ExpectGroupedAscending(
      kMosfets, [](const MosfetRow& r) { return r.U_D_lim_max; },
      [](const MosfetRow& r) { return r.I_D_max; });
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kMosfets.size(); ++i) {
    const MosfetRow& row = kMosfets[i];
    ExpectFieldsMatchPrinted(row.proposal);
    // The type name is the start of the printed proposal.
    EXPECT_EQ(row.proposal.printed.substr(1, row.proposal.part.size()), row.proposal.part);
    EXPECT_GT(row.R_DSon, 0);
    EXPECT_GE(row.C_iss, 0);
    names.insert(row.proposal.part);
    const bool last_of_class =
        i + 1 == kMosfets.size() || kMosfets[i + 1].U_D_lim_max != row.U_D_lim_max;
    EXPECT_EQ(last_of_class, row.I_D_max == kNoLimit) << row.proposal.part;
  }
  EXPECT_EQ(names.size(), kMosfets.size());
}

TEST(MosfetCatalogue, CurrentLimitsAreHalfThePeakFigures) {
  // 600 V: 5.4, 9.6, 13.5, 21.9, 33, 62.1 A; 800 V: 6, 12, 18, 24, 33 A.
  EXPECT_EQ(kMosfets[6].I_D_max, 0.5 * 5.4);
  EXPECT_EQ(kMosfets[7].I_D_max, 0.5 * 9.6);
  EXPECT_EQ(kMosfets[8].I_D_max, 0.5 * 13.5);
  EXPECT_EQ(kMosfets[9].I_D_max, 0.5 * 21.9);
  EXPECT_EQ(kMosfets[10].I_D_max, 0.5 * 33);
  EXPECT_EQ(kMosfets[11].I_D_max, 0.5 * 62.1);
  EXPECT_EQ(kMosfets[13].I_D_max, 0.5 * 6);
  EXPECT_EQ(kMosfets[17].I_D_max, 0.5 * 33);
}

TEST(PfcChokeCatalogue, StepsAreThreeHundredTimesTheChoke) {
  ExpectGroupedAscending(
      kPfcChokes, [](const PfcChokeRow& r) { return r.L_prim_max; },
      [](const PfcChokeRow& r) { return r.I_mains_max; });
  for (const PfcChokeRow& row : kPfcChokes) {
    EXPECT_DOUBLE_EQ(row.L_prim_max, 300 * row.L08);
    ExpectFieldsMatchPrinted(row.proposal);
    // A catalogue choke names its rated current; "no proposal" rows show the
    // mains current.
    EXPECT_EQ(row.I_L08.has_value(), !row.proposal.part.empty());
  }
  EXPECT_EQ(kPfcChokeLowestL_prim, 250 * kPfcChokes.front().L08);
}

template <std::size_t N>
void ExpectStrictlyAscending(const std::array<double, N>& steps) {
  for (std::size_t i = 1; i < N; ++i) EXPECT_LT(steps[i - 1], steps[i]);
}

TEST(StepLists, Ascending) {
  ExpectStrictlyAscending(kOutputCapacitorVoltages);
  ExpectStrictlyAscending(kOutputCapacitances);
  ExpectStrictlyAscending(kFuseRatings);
  ExpectStrictlyAscending(kBulkCapacitances);
  ExpectStrictlyAscending(kBulkCapacitorVoltages);
  EXPECT_EQ(kFuseRatings.back(), 25);
  EXPECT_EQ(kBulkCapacitances.back(), 10000);
  EXPECT_EQ(kBulkCapacitorVoltages.back(), 500);
}

}  // namespace
}  // namespace flyback

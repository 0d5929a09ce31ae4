#include "engine/design_report/shared_reasons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace flyback {
namespace {

using Reasons = std::vector<std::vector<std::string>>;

const std::string kDrain =
    "T01: drain voltage 597.95 V at the highest input voltage, above 540 V (90 % of its 600 V)";

std::string ClampResistor(const std::string& P_W) {
  return "R06: power " + P_W + " W at the highest input voltage, above 1.2 W (60 % of its 2 W)";
}

std::string Efficiency(const std::string& eta_percent) {
  return "the assumed efficiency is optimistic: the losses give " + eta_percent +
         " % at the lowest input voltage, bus valley";
}

std::string Clamp(const std::string& P_W, const std::string& share_percent) {
  return "the RCD clamp dissipates " + P_W + " W, more than " + share_percent +
         " % of the output power";
}

struct SharingCase {
  const char* what;
  Reasons reasons;
  std::vector<std::string> shared;
  std::vector<std::string> noted;
  Reasons own;
};

class ShareReasonsTable : public testing::TestWithParam<SharingCase> {};

TEST_P(ShareReasonsTable, SaysOnceWhatEveryCandidateGives) {
  const SharingCase& c = GetParam();
  SCOPED_TRACE(c.what);
  const SharedReasons result = ShareReasons(c.reasons);
  EXPECT_EQ(result.shared, c.shared);
  EXPECT_EQ(result.noted, c.noted);
  EXPECT_EQ(result.own, c.own);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShareReasonsTable,
    testing::Values(
        // The same sentence in every row is said once and leaves the rows.
        SharingCase{"same", {{kDrain}, {kDrain}}, {kDrain}, {}, {{}, {}}},
        // Alike but for one figure: the range once, each row its own figure
        // with its unit; a reason of one candidate stays in its row.
        SharingCase{
            "figure differs",
            {{kDrain, ClampResistor("2.2")},
             {"the transformer warms by 40.7 K, more than 40 K", kDrain, ClampResistor("2.27")}},
            {kDrain,
             "R06: power 2.2 to 2.27 W at the highest input voltage, above 1.2 W (60 % of "
             "its 2 W)"},
            {},
            {{"R06: power 2.2 W"},
             {"the transformer warms by 40.7 K, more than 40 K", "R06: power 2.27 W"}}},
        // The lowest and the highest by value, not by text: 10.5 above 9.
        SharingCase{
            "range by value",
            {{"it switches at 9 kHz"}, {"it switches at 10.5 kHz"}, {"it switches at 9.5 kHz"}},
            {"it switches at 9 to 10.5 kHz"},
            {},
            {{"it switches at 9 kHz"}, {"it switches at 10.5 kHz"}, {"it switches at 9.5 kHz"}}},
        // A digit inside a name is no figure: R06 and R07 are not alike.
        SharingCase{"names",
                    {{ClampResistor("2.2")},
                     {"R07: power 2.2 W at the highest input voltage, "
                      "above 1.2 W (60 % of its 2 W)"}},
                    {},
                    {},
                    {{ClampResistor("2.2")},
                     {"R07: power 2.2 W at the highest input voltage, "
                      "above 1.2 W (60 % of its 2 W)"}}},
        // A reason one candidate lacks is not shared; nor is anything of a
        // single candidate.
        SharingCase{"not every one", {{kDrain}, {}}, {}, {}, {{kDrain}, {}}},
        SharingCase{"single", {{kDrain}}, {}, {}, {{kDrain}}},
        // A reason several but not all give is noted once behind a mark with
        // the range of its figures; each of their rows keeps the mark and its
        // own figure with its unit, the others stay as they are.
        SharingCase{"several",
                    {{kDrain, Efficiency("82.9")},
                     {kDrain},
                     {Efficiency("82.1"), kDrain},
                     {kDrain, Efficiency("82.4")}},
                    {kDrain},
                    {"(a) the assumed efficiency is optimistic: the losses give 82.1 to 82.9 % "
                     "at the lowest input voltage, bus valley"},
                    {{"(a) 82.9 %"}, {}, {"(a) 82.1 %"}, {"(a) 82.4 %"}}},
        // Notes are marked in the order of the first row that gives them;
        // where every figure of a note agrees the row keeps its mark alone,
        // and where several differ it keeps each of them.
        SharingCase{"marks",
                    {{"the transformer warms by 40.7 K, more than 40 K"},
                     {Clamp("2.29", "3"), "the transformer warms by 40.7 K, more than 40 K"},
                     {Clamp("2.31", "3.1"), Efficiency("82.9")},
                     {Efficiency("82.9")}},
                    {},
                    {"(a) the transformer warms by 40.7 K, more than 40 K",
                     "(b) the RCD clamp dissipates 2.29 to 2.31 W, more than 3 to 3.1 % of the "
                     "output power",
                     "(c) the assumed efficiency is optimistic: the losses give 82.9 % at the "
                     "lowest input voltage, bus valley"},
                    {{"(a)"}, {"(b) 2.29 W, 3 %", "(a)"}, {"(b) 2.31 W, 3.1 %", "(c)"}, {"(c)"}}}));

// Past the alphabet the marks go on with two letters, as spreadsheet columns do.
TEST(NoteMark, LettersThenPairsOfLetters) {
  EXPECT_EQ(NoteMark(0), "(a)");
  EXPECT_EQ(NoteMark(25), "(z)");
  EXPECT_EQ(NoteMark(26), "(aa)");
  EXPECT_EQ(NoteMark(27), "(ab)");
  EXPECT_EQ(NoteMark(26 + 26 * 26), "(aaa)");
}

}  // namespace
}  // namespace flyback

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

struct SharingCase {
  const char* what;
  Reasons reasons;
  std::vector<std::string> shared;
  Reasons own;
};

class ShareReasonsTable : public testing::TestWithParam<SharingCase> {};

TEST_P(ShareReasonsTable, SaysOnceWhatEveryCandidateGives) {
  const SharingCase& c = GetParam();
  SCOPED_TRACE(c.what);
  const SharedReasons result = ShareReasons(c.reasons);
  EXPECT_EQ(result.shared, c.shared);
  EXPECT_EQ(result.own, c.own);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShareReasonsTable,
    testing::Values(
        // The same sentence in every row is said once and leaves the rows.
        SharingCase{"same", {{kDrain}, {kDrain}}, {kDrain}, {{}, {}}},
        // Alike but for one figure: the range once, each row its own figure
        // with its unit; a reason of one candidate stays in its row.
        SharingCase{
            "figure differs",
            {{kDrain, ClampResistor("2.2")},
             {"the transformer warms by 40.7 K, more than 40 K", kDrain, ClampResistor("2.27")}},
            {kDrain,
             "R06: power 2.2 to 2.27 W at the highest input voltage, above 1.2 W (60 % of "
             "its 2 W)"},
            {{"R06: power 2.2 W"},
             {"the transformer warms by 40.7 K, more than 40 K", "R06: power 2.27 W"}}},
        // The lowest and the highest by value, not by text: 10.5 above 9.
        SharingCase{
            "range by value",
            {{"it switches at 9 kHz"}, {"it switches at 10.5 kHz"}, {"it switches at 9.5 kHz"}},
            {"it switches at 9 to 10.5 kHz"},
            {{"it switches at 9 kHz"}, {"it switches at 10.5 kHz"}, {"it switches at 9.5 kHz"}}},
        // A digit inside a name is no figure: R06 and R07 are not alike.
        SharingCase{"names",
                    {{ClampResistor("2.2")},
                     {"R07: power 2.2 W at the highest input voltage, "
                      "above 1.2 W (60 % of its 2 W)"}},
                    {},
                    {{ClampResistor("2.2")},
                     {"R07: power 2.2 W at the highest input voltage, "
                      "above 1.2 W (60 % of its 2 W)"}}},
        // A reason one candidate lacks is not shared; nor is anything of a
        // single candidate.
        SharingCase{"not every one", {{kDrain}, {}}, {}, {{kDrain}, {}}},
        SharingCase{"single", {{kDrain}}, {}, {{kDrain}}}));

}  // namespace
}  // namespace flyback

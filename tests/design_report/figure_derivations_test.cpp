// The worked figures of the three-output demonstration design. The values
// put into each formula are the unrounded quantities the calculation states
// for it (D_max 0.42293 after 57 reductions, I_in_avg 0.88690 A, I_D_max
// 4.1941 A, n_prim 53.333, q_D 1.25187, U_ts 1.9063 V, U_bus_max 420.02 V,
// L_prim 540.44 µH, t_on 17.808 µs, t_off 22.294 µs, fsntmin 23.749 kHz) to
// five significant digits; the results are the figures of its result screen
// and winding table.

#include "engine/design_report/figure_derivations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

const Derivation* Find(const std::vector<Derivation>& rows, const std::string& symbol) {
  for (const Derivation& row : rows) {
    if (row.symbol == symbol) return &row;
  }
  return nullptr;
}

struct Expected {
  const char* symbol;
  const char* values;
  const char* result;
};

void ExpectRows(const std::vector<Derivation>& rows, const std::vector<Expected>& expected) {
  for (const Expected& e : expected) {
    const Derivation* row = Find(rows, e.symbol);
    ASSERT_NE(row, nullptr) << e.symbol;
    EXPECT_EQ(row->values, e.values) << e.symbol;
    EXPECT_EQ(row->result, e.result) << e.symbol;
    EXPECT_FALSE(row->formula.empty()) << e.symbol;
  }
}

TEST(ResultDerivations, DemonstrationDesign) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  ExpectRows(
      ResultDerivations(s),
      {
          {"P_out_max", "101 V · 0.5 A + 16.5 V · 1 A + 9 V · 1 A", "76 W"},
          {"P_in_max", "76 W / 0.85", "89.4 W"},
          {"D_max", "0.75 · 0.99^57", "0.42293"},
          {"I_in_avg", "89.4 W / (90 V · 1.12)", "0.8869 A"},
          {"I_D_max", "2 · 0.8869 A / 0.42293", "4.19 A"},
          {"n_prim", "340 mT · 125 mm² / (4.1941 A · 190 nH)", "53.333 → 53 turns"},
          {"q_D", "1 / (0.42293 · 1.05) − 1", "1.2519"},
          {"U_ts", "90 V · √2 / (53.333 · 1.2519)", "1.91 V"},
          {"U_ind", "1.9063 V · 53.333", "102 V"},
          {"U_bus_max", "270 V · √2 · 1.1", "420.02 V"},
          {"U_D_max", "420.02 V + 53.333 · 1.9063 V · 1.75", "598 V"},
          {"L_prim", "53.333² · 190 nH", "540.44 µH"},
          {"t_on", "540.44 µH · 4.1941 A / (90 V · √2)", "17.8 µs"},
          {"t_off", "540.44 µH · 4.1941 A / (1.9063 V · 53.333)", "22.294 µs"},
          {"fsntmin", "1000 / ((17.808 µs + 22.294 µs) · 1.05)", "23.7 kHz"},
          {"T_max", "1000 / 23.749 kHz", "42.1 µs"},
          {"Bmax", "53.333 · 4.1941 A · 190 nH / 125 mm²", "340 mT"},
          // 0.001 × 190 × 53 × 53 = 533.71: from the whole turns.
          {"L_prim (whole turns)", "53² · 190 nH", "534 µH"},
          {"I_prim_rms", "4.1941 A · √(17.808 µs / (3 · (17.808 µs + 22.294 µs)))", "1.61 A"},
      });
}

TEST(ResultDerivations, ConductionLossNamesTheProposedMosfet) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  const std::vector<Derivation> rows = ResultDerivations(s);
  const Derivation* loss = Find(rows, "P_cond");
  ASSERT_NE(loss, nullptr);
  EXPECT_EQ(loss->figure, "Max. cond. loss in QMP03N60X5");
  EXPECT_EQ(loss->result, "7.3 W");
  EXPECT_TRUE(loss->on_screen);
}

TEST(WindingDerivations, DemonstrationDesign) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  ExpectRows(WindingDerivations(s),
             {
                 {"A_prim", "1.61 A / 6 A/mm²", "0.27 mm²"},
                 {"U_ic_act", "9 · 1.9063 V · 1 − 0.7 V", "16.46 V"},
                 {"I_sec_rms(1)", "2 · 0.5 A · √((1000 / 23.749 kHz) / (3 · 22.294 µs))", "0.79 A"},
                 {"Uact(1)", "53 · 1.9063 V · 1 − 1 V", "100.04 V"},
                 // 100 × 1.59 / 6 = 26.5 rounds half-to-even to 26.
                 {"A_sec(2)", "1.59 A / 6 A/mm²", "0.26 mm²"},
                 {"Uact(3)", "5 · 1.9063 V · 1 − 1 V", "8.53 V"},
             });
}

TEST(ResultDerivations, FixedFrequencyGivesTheFiguresAtItsLowestFrequency) {
  // The demonstration design with the PWX family at 50 kHz to 70 kHz: Bmax
  // falls to 198 mT, where fsntmin = 70.03 kHz; 198 × √(70.03 / 50) = 234.3.
  DesignState s = ThreeOutputDemo();
  s.inputs.ic_type = ControlIc::kPwx;
  s.inputs.fixed_freq = true;
  s.inputs.f_fix_min = 50;
  s.inputs.f_fix_max = 70;
  s = CalculatedWithComponents(s);
  const std::vector<Derivation> rows = ResultDerivations(s);
  const Derivation* B_fix = Find(rows, "B_fix");
  ASSERT_NE(B_fix, nullptr);
  EXPECT_EQ(B_fix->result, "234 mT");
  EXPECT_EQ(Find(rows, "T_max"), nullptr);
  ASSERT_NE(Find(rows, "f_fix"), nullptr);
  EXPECT_EQ(Find(rows, "f_fix")->result, "50 kHz to 70 kHz");
}

}  // namespace
}  // namespace flyback

// The loss chart and loss figures of the overview for the three-output
// demonstration design (80 W class, 76 W out, SMT 31/190 with the estimated
// ETD 39/20/13 geometry and N87). The hand values at the lowest input voltage
// are those of tests/losses/loss_budget_test.cpp.

#include "engine/overview/loss_overview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/checks/loss_checks.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Demonstration() {
  return CalculatedWithComponents(ThreeOutputDemo());
}

double Sum(const std::vector<double>& terms) {
  double W = 0;
  for (const double term : terms) W += term;
  return W;
}

// Each bar is its term of the budget at both operating points; together
// they are the total.
void ExpectBarsAreTheBudget(const LossOverview& overview, const OperatingPointLosses& p,
                            std::optional<double> LossBar::*value) {
  std::vector<double> windings, diodes;
  for (const WindingLossTerm& w : p.windings) windings.push_back(w.P_W);
  for (const OutputDiodeTerm& d : p.output_diodes) diodes.push_back(d.P_W);
  const std::optional<double> terms[] = {p.core_W,
                                         p.core_W ? std::optional(Sum(windings)) : std::nullopt,
                                         p.mosfet_conduction_W,
                                         p.mosfet_turn_on_W,
                                         Sum(diodes),
                                         p.ic_diode_W,
                                         p.bridge_W,
                                         p.clamp_W};
  ASSERT_EQ(overview.bars.size(), std::size(terms));
  double total = 0;
  for (std::size_t i = 0; i < std::size(terms); ++i) {
    EXPECT_EQ(overview.bars[i].*value, terms[i]) << p.name << ", " << overview.bars[i].name;
    total += (overview.bars[i].*value).value_or(0);
  }
  EXPECT_NEAR(total, p.total_W, 1e-12) << p.name;
}

TEST(WhereTheWattsGo, DemonstrationDesign) {
  const LossBudget budget = ComputeLossBudget(Demonstration(), nullptr);
  const LossOverview overview = WhereTheWattsGo(budget);
  ExpectBarsAreTheBudget(overview, budget.lowest_input, &LossBar::lowest_W);
  ExpectBarsAreTheBudget(overview, budget.highest_input, &LossBar::highest_W);

  // Hand values at the lowest input voltage; copper 1.5544 + 0.4291 +
  // 0.1603 + 0.0890 W. The text keeps three significant digits.
  const struct {
    const char* name;
    double W, tolerance_W;
    const char* text;
  } expected[] = {
      {"core", 0.3829, 1e-4, "0.383 W"},
      {"copper", 2.2329, 2e-4, "2.23 W"},
      {"MOSFET conduction", 7.3, 1e-12, "7.3 W"},
      {"MOSFET turn-on", 0.00117, 1e-5, "0.001 W"},
      {"output diodes", 2.5, 1e-12, "2.5 W"},
      {"IC-supply diode", 0.007, 1e-12, "0.007 W"},
      {"bridge rectifier", 1.7738, 1e-4, "1.77 W"},
      {"clamp", 5.1890, 1e-4, "5.19 W"},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const LossBar& bar = overview.bars[i];
    EXPECT_EQ(bar.name, expected[i].name);
    ASSERT_TRUE(bar.lowest_W) << bar.name;
    EXPECT_NEAR(*bar.lowest_W, expected[i].W, expected[i].tolerance_W) << bar.name;
    EXPECT_EQ(bar.lowest_text, expected[i].text) << bar.name;
  }
  EXPECT_NEAR(overview.lowest_total_W, 19.3867, 2e-4);
  EXPECT_EQ(overview.lowest_set, "lowest input voltage: 19.4 W");
  EXPECT_EQ(overview.highest_set.rfind("highest input voltage: ", 0), 0U) << overview.highest_set;
  // η = 76 / 95.3867 = 79.68 %; the transformer's rise 37.08 K.
  EXPECT_EQ(overview.efficiency, "assumed 85 % — computed 79.7 %");
  EXPECT_EQ(overview.rise, "transformer rise 37.1 K");
  EXPECT_EQ(overview.note, "estimated from the ETD 39/20/13 shape: only AL and Ae are known");
}

TEST(WhereTheWattsGo, WithoutGeometryTheTransformerBarsAreNotEstimated) {
  DesignState s = Demonstration();
  s.inputs.tr_type = "3";
  s.inputs.Ae = 5000;  // mm², far beyond every standard shape
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const LossOverview overview = WhereTheWattsGo(budget);
  ExpectBarsAreTheBudget(overview, budget.lowest_input, &LossBar::lowest_W);
  for (std::size_t i : {0U, 1U}) {
    EXPECT_FALSE(overview.bars[i].lowest_W) << overview.bars[i].name;
    EXPECT_EQ(overview.bars[i].lowest_text, "not estimated");
  }
  EXPECT_EQ(overview.rise, "transformer rise not estimated");
  EXPECT_EQ(overview.note, "transformer losses not estimated: " + budget.core.reason);
}

TEST(LossKeyFigures, DemonstrationDesignWarnsOfItsEfficiencyAndClamp) {
  const DesignState s = Demonstration();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const std::vector<KeyFigure> figures =
      LossKeyFigures(s.inputs, budget, CheckDesignAndLosses(s, budget));
  // η 79.7 % below 85 % − 2 points; 37.1 K within 40 K; 33300 W/m³ within
  // 500 kW/m³; the clamp's 5.189 W above 3 % of 76 W = 2.28 W.
  const struct {
    const char* name;
    const char* value;
    const char* limit;
    Verdict verdict;
  } expected[] = {
      {"efficiency", "79.7 %", "at least 83 %", Verdict::kWarning},
      {"transformer rise", "37.1 K", "up to 40 K", Verdict::kFine},
      {"core loss density", "33.3 kW/m³", "up to 500 kW/m³ (N87)", Verdict::kFine},
      {"clamp loss", "5.19 W", "up to 2.28 W", Verdict::kWarning},
  };
  ASSERT_EQ(figures.size(), std::size(expected));
  for (std::size_t i = 0; i < figures.size(); ++i) {
    EXPECT_EQ(figures[i].name, expected[i].name);
    EXPECT_EQ(figures[i].value, expected[i].value) << expected[i].name;
    EXPECT_EQ(figures[i].limit, expected[i].limit) << expected[i].name;
    EXPECT_EQ(figures[i].verdict, expected[i].verdict) << expected[i].name;
  }
}

}  // namespace
}  // namespace flyback

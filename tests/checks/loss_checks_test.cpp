// A loss budget that is not a figure is an error naming the term that spoils
// it, never silence. The three-output demonstration design's budget is
// finite and within every bound at each of its points
// (tests/losses/loss_budget_test.cpp).

#include "engine/checks/loss_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/evaluation/design_evaluation.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const DesignState& Demo() {
  static const DesignState design = CalculatedWithComponents(ThreeOutputDemo());
  return design;
}

std::vector<std::string> Messages(const std::vector<Finding>& findings, Severity severity) {
  std::vector<std::string> messages;
  for (const Finding& finding : findings) {
    if (finding.severity == severity) messages.push_back(finding.message);
  }
  return messages;
}

TEST(LossChecks, ATermThatIsNotFiniteIsAnErrorNamingIt) {
  const struct {
    const char* spoilt;
    std::function<void(LossBudget&)> spoil;
    std::vector<std::string> errors;
    std::size_t warnings;  // judged only where every point's budget is finite
  } cases[] = {
      {"the core at the design point",
       [](LossBudget& b) { b.lowest_valley.core_W = kInf; },
       {"The loss budget at the lowest input voltage, bus valley cannot be worked out: its core "
        "loss is not finite."},
       0},
      {"the primary at the highest input voltage",
       [](LossBudget& b) { b.highest_input.windings[0].P_W = kNaN; },
       {"The loss budget at the highest input voltage cannot be worked out: its primary copper "
        "loss is not finite."},
       0},
      {"output 2's rectifier and the clamp: the earlier term is named",
       [](LossBudget& b) {
         b.lowest_valley.output_diodes[1].P_W = kNaN;
         b.lowest_valley.clamp.P_W = kInf;
       },
       {"The loss budget at the lowest input voltage, bus valley cannot be worked out: its output "
        "2 rectifier loss is not finite."},
       0},
      {"the efficiency at both points",
       [](LossBudget& b) { b.lowest_valley.efficiency = b.highest_input.efficiency = kNaN; },
       {"The loss budget at the lowest input voltage, bus valley cannot be worked out: its "
        "efficiency is not finite.",
        "The loss budget at the highest input voltage cannot be worked out: its efficiency is "
        "not finite."},
       0},
  };
  for (const auto& c : cases) {
    LossBudget budget = ComputeLossBudget(Demo(), nullptr);
    c.spoil(budget);
    const std::vector<Finding> findings = CheckLosses(Demo().inputs, budget);
    EXPECT_EQ(Messages(findings, Severity::kError), c.errors) << c.spoilt;
    EXPECT_EQ(Messages(findings, Severity::kWarning).size(), c.warnings) << c.spoilt;
    for (const Finding& finding : findings) {
      if (finding.severity != Severity::kError) continue;
      EXPECT_EQ(finding.code, "loss-budget-not-finite");
      EXPECT_EQ(finding.quantity, CheckedQuantity{Quantity::kEfficiency});
      EXPECT_FALSE(std::isfinite(finding.value));
    }
  }
}

// A fit of a frequency exponent of 1000, which a core data file can no
// longer hold, makes the core loss no number at every point; the errors
// come before the design's own warnings.
TEST(LossChecks, ASteinmetzFitBeyondReasonSpoilsTheBudgetLoudly) {
  UserCoreData core;
  core.shape = "ETD 39 on my bobbin";
  core.figures = *EstimatedGeometryForAe(125).geometry;  // mm², ETD 39/20/13
  core.material_name = "alpha of 1000";
  core.ranges = {{0, 1e6, {.k = 3.2, .alpha = 1000, .beta = 2.75, .ct0 = 1}}};
  core.Pv_limit_W_per_m3 = 5e5;
  DesignState design = Demo();
  design.inputs.U_D_lim = 500;  // a warning of the design's own checks
  const std::vector<Finding> findings = EvaluateDesign(design, {&core})->findings;
  ASSERT_GE(findings.size(), 4U);
  EXPECT_EQ(
      findings[0].message,
      "The loss budget at the lowest input voltage, bus valley cannot be worked out: its core "
      "loss is not finite.");
  EXPECT_EQ(findings[2].message,
            "The loss budget at the highest input voltage cannot be worked out: its core loss is "
            "not finite.");
  EXPECT_EQ(findings.back().severity, Severity::kWarning);
}

}  // namespace
}  // namespace flyback

// Relations the loss models must keep wherever hand-worked figures do not
// reach: more leakage never lowers the clamp's loss, and a faster flux swing
// of the same height never lowers a ferrite's loss.

#include <gtest/gtest.h>

#include "engine/losses/core_loss.h"
#include "engine/losses/loss_budget.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// The leakage inductance enters the budget as the assumed share of L_prim
// where the transformer's winding is not known: the three-output
// demonstration on a core known by AL and Ae alone, so large that no
// standard shape is near it.
TEST(LossProperties, MoreLeakageNeverLowersTheClampLoss) {
  DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  s.inputs.tr_kind = TransformerKind::kUserTransformer;
  s.inputs.Ae = 5000;  // mm²
  const double shares[] = {0.002, 0.005, 0.01, 0.015, 0.02, 0.03, 0.05, 0.08, 0.12};
  std::optional<LossBudget> previous;
  for (const double share : shares) {
    LossAssumptions assumptions;
    assumptions.leakage_share = share;
    const LossBudget budget = ComputeLossBudget(s, nullptr, assumptions);
    ASSERT_FALSE(budget.leakage.estimated);
    ASSERT_DOUBLE_EQ(budget.leakage.share, share);
    if (previous) {
      const auto before = previous->points();
      const auto now = budget.points();
      for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_GE(now[i]->clamp.P_W, before[i]->clamp.P_W) << now[i]->name << " at " << share;
        EXPECT_GE(now[i]->total_W, before[i]->total_W) << now[i]->name << " at " << share;
      }
    }
    previous = budget;
  }
}

// At the same peak flux the flyback's flux rises in 40 % and falls in 40 % of
// the period at every frequency, for every material of the data and at two
// heights of the swing; the sweep crosses the edges between a material's
// fitted frequency ranges, where a set that fits its own range badly would
// show as a step down.
TEST(LossProperties, HigherFrequencyNeverLowersTheCoreLossAtEqualFlux) {
  constexpr double kOnShare = 0.4;
  for (const FerriteMaterial& material : Materials()) {
    for (const double B_mT : {50.0, 150.0}) {
      double previous_W_per_m3 = 0;
      for (int step = 0; step <= 196; ++step) {
        const double f_kHz = 10 + 2.5 * step;  // 10 kHz to 500 kHz
        const double period_us = 1000 / f_kHz;
        const SteinmetzSet& set = SteinmetzRangeFor(material.ranges, 1000 * f_kHz).set;
        const double Pv_W_per_m3 = FlybackCoreLossDensity(set, B_mT, kOnShare * period_us,
                                                          kOnShare * period_us, period_us);
        EXPECT_GE(Pv_W_per_m3, previous_W_per_m3)
            << material.name << " at " << f_kHz << " kHz, " << B_mT << " mT";
        previous_W_per_m3 = Pv_W_per_m3;
      }
    }
  }
}

}  // namespace
}  // namespace flyback

// The efficiency map against the loss budget it extends: at full load its
// points at the range's ends are the budget's points, every term exactly the
// same; and the input voltages it is worked out at.

#include "engine/efficiency/efficiency_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/inputs/mains.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

void ExpectSamePoint(const OperatingPointLosses& map, const OperatingPointLosses& budget) {
  EXPECT_EQ(map.switching.I_pk_A, budget.switching.I_pk_A);
  EXPECT_EQ(map.switching.period_us, budget.switching.period_us);
  EXPECT_EQ(map.core_W, budget.core_W);
  ASSERT_EQ(map.windings.size(), budget.windings.size());
  for (std::size_t i = 0; i < map.windings.size(); ++i) {
    EXPECT_EQ(map.windings[i].P_W, budget.windings[i].P_W) << map.windings[i].winding;
  }
  EXPECT_EQ(map.mosfet_conduction_W, budget.mosfet_conduction_W);
  EXPECT_EQ(map.mosfet_turn_on_W, budget.mosfet_turn_on_W);
  EXPECT_EQ(map.mosfet_turn_off_W, budget.mosfet_turn_off_W);
  EXPECT_EQ(map.clamp.P_W, budget.clamp.P_W);
  EXPECT_EQ(map.controller_W, budget.controller_W);
  EXPECT_EQ(map.ic_diode_W, budget.ic_diode_W);
  EXPECT_EQ(map.bridge_W, budget.bridge_W);
  EXPECT_EQ(map.total_W, budget.total_W);
  EXPECT_EQ(map.efficiency, budget.efficiency);
}

// Free running with PFC, free running with four outputs, and at a fixed
// frequency: the full-load points of the range's ends are the budget's
// crest and highest-input points.
TEST(EfficiencyMap, FullLoadIsTheBudgetsPoint) {
  for (const DesignState& design :
       {ThreeOutputDemo(), FourOutputDemo(), FixedFrequencyDemo(50, 50)}) {
    const DesignState s = CalculatedWithComponents(design);
    const LossBudget budget = ComputeLossBudget(s, nullptr);
    const EfficiencyMap map = ComputeEfficiencyMap(s, budget);
    ASSERT_GE(map.rows.size(), 2U);
    EXPECT_EQ(map.rows.front().loads.back().load, 1.0);
    ExpectSamePoint(map.rows.front().loads.back().stage, budget.lowest_crest);
    ExpectSamePoint(map.rows.back().loads.back().stage, budget.highest_input);
  }
}

// The range's ends and the rules' mains voltages strictly inside it; a DC
// range has its ends only.
TEST(EfficiencyMap, InputVoltages) {
  struct Case {
    double U_min_V, U_max_V;
    bool dc;
    std::vector<double> expected_V;
  };
  for (const Case& c : std::vector<Case>{{90, 270, false, {90, 115, 230, 270}},
                                         {180, 270, false, {180, 230, 270}},
                                         {115, 230, false, {115, 230}},
                                         {100, 400, true, {100, 400}}}) {
    DesignState design = ThreeOutputDemo();
    design.inputs.dc_input = c.dc;
    design.inputs.U_DC_min = c.U_min_V;
    design.inputs.U_DC_max = c.U_max_V;
    design.inputs.U_mains_min = c.dc ? c.U_min_V / kSineCrestFactor : c.U_min_V;
    design.inputs.U_mains_max = c.dc ? c.U_max_V / kSineCrestFactor : c.U_max_V;
    const DesignState s = CalculatedWithComponents(design);
    const EfficiencyMap map = ComputeEfficiencyMap(s, ComputeLossBudget(s, nullptr));
    std::vector<double> voltages;
    for (const MapRow& row : map.rows) voltages.push_back(row.voltage.U_input_V);
    EXPECT_EQ(voltages, c.expected_V) << c.U_min_V << " to " << c.U_max_V;
  }
}

}  // namespace
}  // namespace flyback

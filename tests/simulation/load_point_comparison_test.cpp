// The map's loads beside the simulated stage: the simulated efficiency on
// the map's footing and the warning beyond 2 percentage points.

#include "engine/simulation/load_point_comparison.h"

#include <gtest/gtest.h>

#include <vector>

namespace flyback {
namespace {

TEST(LoadPointComparison, SimulatedEfficiencyOnTheMapsFooting) {
  // The stage draws 100 W from the bus in the map, the map's input 110 W
  // with the bridge and the standing losses: a simulated stage of 90 %
  // counts as 0.9·100/110 = 81.818 %.
  MapPoint map;
  map.P_in_W = 110;
  map.stage.switching.P_in_W = 100;
  OperatingPointFigures figures;
  figures.efficiency = 0.9;
  EXPECT_NEAR(MapFootingEfficiency(figures, map), 0.818182, 1e-6);
}

TEST(LoadPointComparison, NamesThePoint) {
  EXPECT_EQ(LoadPointName(0.25, "lowest input voltage"), "25 % load at the lowest input voltage");
  EXPECT_EQ(LoadPointName(1, "highest input voltage"), "100 % load at the highest input voltage");
}

SimulatedLoadPoint Point(double simulated, bool settled = true) {
  SimulatedLoadPoint p;
  p.name = "50 % load at the lowest input voltage";
  p.load = 0.5;
  p.map_efficiency = 0.85;
  p.efficiency = simulated;
  p.settled = settled;
  return p;
}

TEST(LoadPointComparison, WarnsBeyondTwoPointsNamingThePoint) {
  // 85 % in the map: 82.9 % and 87.1 % lie 2.1 points off, 83.1 % and
  // 86.9 % 1.9 points.
  for (const double within : {0.831, 0.869}) {
    EXPECT_TRUE(CheckLoadPoints({Point(within)}).empty()) << within;
  }
  for (const double outside : {0.829, 0.871}) {
    const std::vector<Finding> findings = CheckLoadPoints({Point(outside)});
    ASSERT_EQ(findings.size(), 1u) << outside;
    EXPECT_EQ(findings[0].code, kSimulationMapDisagrees);
    EXPECT_EQ(findings[0].severity, Severity::kWarning);
    EXPECT_NE(findings[0].message.find("at 50 % load at the lowest input voltage"),
              std::string::npos);
    EXPECT_NEAR(findings[0].bound, outside < 0.85 ? 83 : 87, 1e-9);
  }
}

TEST(LoadPointComparison, NoVerdictWithoutASettledRun) {
  SimulatedLoadPoint not_simulated = Point(0.5);
  not_simulated.efficiency.reset();
  EXPECT_TRUE(CheckLoadPoints({Point(0.5, false), not_simulated}).empty());
}

TEST(LoadPointComparison, TableLineEndsWithTheRunTime) {
  SimulatedLoadPoint p = Point(0.829);
  p.f_map_kHz = 60.94;
  p.f_sw_kHz = 64.72;
  p.run_s = 0.714;
  SimulatedLoadPoint skipped = Point(0.5);
  skipped.efficiency.reset();
  skipped.not_simulated = "the map has the controller bursting at its fixed frequency there";
  EXPECT_EQ(LoadPointTable({p, skipped}),
            "Efficiency map beside the simulation (within ± 2 points)\n"
            "50 % load at the lowest input voltage: map 85 %, simulated 82.9 % (-2.1 points), "
            "OUTSIDE; 60.9 kHz against 64.7 kHz, run 0.71 s\n"
            "50 % load at the lowest input voltage: map 85 %, not simulated: the map has the "
            "controller bursting at its fixed frequency there\n");
}

}  // namespace
}  // namespace flyback

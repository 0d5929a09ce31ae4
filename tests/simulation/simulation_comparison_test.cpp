// The figures of a simulated operating point taken from its waveforms, and
// their comparison with the calculated demonstration design (80 W, three
// outputs: Uact 100.04, 16.16, 8.53 V, IC supply 16.46 V, I_D_max 4.194 A,
// fsntmin 23.749 kHz, U_D_max 597.95 V, U_D_lim 600 V, η 85 %).

#include "engine/simulation/simulation_comparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "engine/simulation/comparison_table.h"
#include "engine/simulation/operating_point_figures.h"
#include "engine/transformer/winding_values.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// 40 periods of 10 µs sampled every 0.1 µs: the switch on for the first
// 3 µs of each, the drain current rising to 3 A then, the drain at 100 V
// while off; the bus delivers 0.3 A from 100 V (30 W). Output 1 swings
// 12 ± 0.1 V as a cosine into 6 Ω; the IC supply holds 15 V into 1500 Ω,
// its winding carries 1 A at half the primary's turns.
SimulatedWaveforms Synthetic() {
  constexpr double kPeriod_s = 10e-6;
  SimulatedWaveforms w;
  w.U_bus_V = 100;
  w.windings = {{0, 1500, 0.5, {}, {}}, {1, 6, 0, {}, {}}};
  for (int i = 0; i <= 4000; ++i) {
    const double t = i * 0.1e-6;
    const double in_period = std::fmod(i, 100) * 0.1e-6;
    const bool on = in_period < 3e-6 - 1e-12;
    w.time_s.push_back(t);
    w.gate.push_back(on ? 1 : 0);
    w.primary_A.push_back(on ? 3 * in_period / 3e-6 : 0);
    w.drain_V.push_back(on ? 0 : 100);
    w.bus_A.push_back(-0.3);
    w.windings[0].output_V.push_back(15);
    w.windings[0].current_A.push_back(1);
    w.windings[1].output_V.push_back(12 + 0.1 * std::cos(2 * std::numbers::pi * t / kPeriod_s));
    w.windings[1].current_A.push_back(0);
  }
  return w;
}

TEST(SimulatedOperatingPoint, FiguresOverTheLastWholePeriods) {
  std::string why;
  const std::optional<OperatingPointFigures> f = MeasureOperatingPoint(Synthetic(), why);
  ASSERT_TRUE(f) << why;
  EXPECT_EQ(f->periods, 30);
  EXPECT_NEAR(f->f_sw_kHz, 100, 1e-9);
  EXPECT_DOUBLE_EQ(f->I_D_peak_A, 2.9);  // the last sample on, at 2.9 µs: 3 A·2.9/3
  EXPECT_DOUBLE_EQ(f->U_D_peak_V, 100);
  ASSERT_EQ(f->outputs.size(), 2u);
  EXPECT_NEAR(f->outputs[1].U_avg_V, 12, 1e-3);
  EXPECT_NEAR(f->outputs[1].U_ripple_V, 0.2, 1e-9);
  // avg(V²) = 12² + 0.1²/2 = 144.005 V²; over 6 Ω 24.000833 W.
  EXPECT_NEAR(f->outputs[1].P_W, 24.000833, 1e-3);
  EXPECT_NEAR(f->outputs[0].P_W, 0.15, 1e-9);
  // The IC supply is no output: 24.000833/30.
  EXPECT_NEAR(f->P_in_W, 30, 1e-9);
  EXPECT_NEAR(f->efficiency, 0.800028, 1e-4);
  // Three periods for the chart, the IC winding's 1 A reflected by 0.5.
  EXPECT_NEAR(f->excerpt.time_us.back(), 30, 1e-6);
  EXPECT_DOUBLE_EQ(f->excerpt.reflected_A.front(), 0.5);
}

TEST(SimulatedOperatingPoint, NoFiguresWithoutTwoTurnOns) {
  SimulatedWaveforms w = Synthetic();
  w.gate.assign(w.gate.size(), 0);
  std::string why;
  EXPECT_FALSE(MeasureOperatingPoint(w, why));
  EXPECT_EQ(why, "the switch turned on fewer than two times");
}

// A simulated point that meets every calculated figure of `s`.
SimulatedPoint PointLike(const DesignState& s, const char* name) {
  OperatingPointFigures f;
  f.outputs.push_back({0, IcSupplyVoltage(s.inputs, s.transformer), 0.01, 0});
  for (int i = 1; i <= s.inputs.n_sec; ++i) {
    f.outputs.push_back({i, OutputVoltage(s.inputs, s.transformer, i), 0.01, 0});
  }
  f.I_D_peak_A = s.transformer.I_D_max;
  f.U_D_peak_V = s.transformer.U_D_max;
  f.f_sw_kHz = s.transformer.fsntmin;
  f.efficiency = s.inputs.eta;
  return {name, f, 1};
}

TEST(SimulationComparison, OneSidedBoundsAndWarnings) {
  const DesignState s = Calculated(ThreeOutputDemo());
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  SimulatedPoint lowest = PointLike(s, "lowest input voltage");
  SimulatedPoint highest = PointLike(s, "highest input voltage");
  lowest.figures.outputs[1].U_avg_V *= 1.031;            // Uact(1) 3.1 % high: outside ±3 %
  lowest.figures.I_D_peak_A *= 0.7;                      // below the worst-case bound: within
  lowest.figures.f_sw_kHz *= 1.5;                        // above fsntmin: within
  highest.figures.f_sw_kHz *= 0.89;                      // 11 % below fsntmin: outside
  highest.figures.outputs[2].U_ripple_V = 0.06 * 16.16;  // ripple 6 % of Uact(2)
  highest.figures.efficiency = 0.829;                    // 2.1 points below 85 %
  const SimulationComparison c = CompareSimulation(s, budget, lowest, highest);
  // Per point: 4 windings × (voltage, ripple), I_D, U_D, f, η, η of the losses.
  EXPECT_EQ(c.figures.size(), 2u * 13);
  std::vector<std::string> outside;
  for (const ComparedFigure& row : c.figures) {
    if (!row.within) outside.push_back(row.point + " " + row.figure);
  }
  EXPECT_EQ(outside, (std::vector<std::string>{
                         "lowest input voltage Uact(1)", "highest input voltage ripple(2)",
                         "highest input voltage f_sw", "highest input voltage eta"}));
  const std::vector<Finding> findings = CheckSimulation(c);
  ASSERT_EQ(findings.size(), 4u);
  EXPECT_EQ(findings[0].severity, Severity::kWarning);
  EXPECT_EQ(findings[0].quantity, (CheckedQuantity{Quantity::kOutputVoltage, 1}));
  // 100.04·1.03 = 103.04 V is the bound; the message names both values.
  EXPECT_NEAR(findings[0].bound, 1.03 * OutputVoltage(s.inputs, s.transformer, 1), 1e-9);
  EXPECT_NE(findings[0].message.find("gives Uact(1) = 103.1"), std::string::npos)
      << findings[0].message;
  EXPECT_NE(findings[0].message.find("against 100.0"), std::string::npos) << findings[0].message;
  EXPECT_EQ(findings[2].quantity, (CheckedQuantity{Quantity::kFrequency}));
  EXPECT_NEAR(findings[2].bound, 0.9 * s.transformer.fsntmin, 1e-9);
  EXPECT_EQ(findings[3].quantity, (CheckedQuantity{Quantity::kAssumedEfficiency}));
}

// A degenerate design's figures in the table: each stays in its column of
// 14 characters (13 and a blank), one that is not finite reads "n/a".
TEST(ComparisonTable, FiguresStayInTheirColumns) {
  struct Case {
    double simulated;
    double calculated;
    double deviation;
    std::array<std::string, 3> expected;  // simulated, calculated, deviation
  };
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {100.111, 100.04, 0.00071, {"100.111 V", "100.04 V", "+0.1 %"}},
      {kNaN, 100.04, kNaN, {"n/a", "100.04 V", ""}},
      // The number rule's own exponent form where it fits.
      {-1.5e20, 3.4e57, -1, {"-1.5E+20 V", "3.4E+57 V", "-100 %"}},
      // 13 digits and a point do not fit in 11 (13 less the unit and its
      // blank), nor 12345678812.3 in 7 (10 less "+", " %").
      {123456789.123, 1, 123456788.123, {"1.23457e+08 V", "1 V", "+1.2e+10 %"}},
  };
  for (const Case& c : cases) {
    ComparedFigure row;
    row.point = "lowest input voltage";
    row.figure = "Uact(1)";
    row.unit = "V";
    row.simulated = c.simulated;
    row.calculated = c.calculated;
    row.deviation = c.deviation;
    const std::array<std::string, 7> cells = ComparisonCells(row);
    EXPECT_EQ(cells[2], c.expected[0]);
    EXPECT_EQ(cells[3], c.expected[1]);
    EXPECT_EQ(cells[4], c.expected[2]);
  }
}

}  // namespace
}  // namespace flyback

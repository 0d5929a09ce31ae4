// The data of the design overview, for the three-output demonstration design
// (U_ts = 1.9063 V, turns 53, 9, 5 and 9 for the IC supply; I_D_max 4.1941 A,
// t_on 17.808 µs, t_off 22.294 µs, fsntmin 23.749 kHz) and its optimization
// from 300 mT as the printed optimization list shows it.

#include "engine/overview/design_overview.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/dialogue/driver.h"
#include "pages/dialogue/optimization_recorder.h"
#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Demonstration() {
  return CalculatedWithComponents(ThreeOutputDemo());
}

TEST(OutputBars, DemonstrationDesign) {
  const DesignState s = Demonstration();
  const std::vector<OutputBar> bars = OutputBars(s, CheckDesign(s));
  ASSERT_EQ(bars.size(), 4U);
  const struct {
    const char* name;
    double Umin, Umax, Uact, position;
  } expected[] = {
      {"U1", 99, 101, 100.04, 0.52},  // (100.04 - 99) / 2
      {"U2", 15.5, 16.5, 16.16, 0.66},
      {"U3", 8, 9, 8.53, 0.53},
      // 10 V up to 16 V + 1.9063 V; 9 x 1.9063 - 0.7 = 16.46 V.
      {"IC supply", 10, 17.91, 16.46, 6.46 / 7.91},
  };
  for (std::size_t i = 0; i < bars.size(); ++i) {
    EXPECT_EQ(bars[i].name, expected[i].name);
    EXPECT_DOUBLE_EQ(bars[i].Umin, expected[i].Umin) << i;
    EXPECT_DOUBLE_EQ(bars[i].Umax, expected[i].Umax) << i;
    EXPECT_DOUBLE_EQ(bars[i].Uact, expected[i].Uact) << i;
    EXPECT_NEAR(bars[i].position, expected[i].position, 1e-12) << i;
    EXPECT_TRUE(bars[i].in_window) << i;
    EXPECT_EQ(bars[i].verdict, Verdict::kFine) << i;
  }
}

TEST(OutputBars, AVoltageOutsideItsWindowStaysAtTheEdge) {
  DesignState s = Demonstration();
  s.transformer.n_out(3) = 6;  // 10.44 V in 8 .. 9 V
  const OutputBar bar = OutputBars(s, CheckDesign(s))[2];
  EXPECT_DOUBLE_EQ(bar.Uact, 10.44);
  EXPECT_FALSE(bar.in_window);
  EXPECT_DOUBLE_EQ(bar.position, 1.5);
}

// A bar shows what the checks say of its winding's voltage and turns.
TEST(OutputBars, EachBarTakesTheVerdictOfTheChecks) {
  const struct {
    const char* what;
    std::function<void(DesignState&)> change;
    std::size_t bar;
    Verdict verdict;
  } cases[] = {
      {"6 turns: 10.44 V above 8 .. 9 V", [](DesignState& s) { s.transformer.n_out(3) = 6; }, 2,
       Verdict::kWarning},
      {"0.5 turns: -0.05 V", [](DesignState& s) { s.transformer.n_out(3) = 0.5; }, 2,
       Verdict::kError},
      {"10 turns: 18.36 V above 10 .. 17.91 V", [](DesignState& s) { s.transformer.nic = 10; }, 3,
       Verdict::kWarning},
      // The voltage of no turns is not judged; the turns are.
      {"no IC supply turns", [](DesignState& s) { s.transformer.nic = 0; }, 3, Verdict::kError},
  };
  for (const auto& c : cases) {
    DesignState s = Demonstration();
    c.change(s);
    const std::vector<OutputBar> bars = OutputBars(s, CheckDesign(s));
    for (std::size_t i = 0; i < bars.size(); ++i) {
      EXPECT_EQ(bars[i].verdict, i == c.bar ? c.verdict : Verdict::kFine) << c.what << ", " << i;
    }
  }
}

TEST(Waveforms, CornersOfThePeriod) {
  const DesignState s = Demonstration();
  const TransformerDesign& t = s.transformer;
  const CurrentWaveforms w = Waveforms(s);
  ASSERT_EQ(w.primary.size(), 4U);
  EXPECT_DOUBLE_EQ(w.primary[0].t_us, 0);
  EXPECT_DOUBLE_EQ(w.primary[0].I_A, 0);
  EXPECT_NEAR(w.primary[1].t_us, 17.808, 5e-4);
  EXPECT_NEAR(w.primary[1].I_A, 4.1941, 5e-5);
  EXPECT_DOUBLE_EQ(w.primary[2].I_A, 0);
  ASSERT_EQ(w.secondary.size(), 5U);
  EXPECT_DOUBLE_EQ(w.secondary[2].t_us, t.t_on);
  EXPECT_DOUBLE_EQ(w.secondary[2].I_A, t.I_D_max);
  EXPECT_NEAR(w.secondary[3].t_us, 17.808 + 22.294, 1e-3);
  EXPECT_DOUBLE_EQ(w.secondary[3].I_A, 0);
  EXPECT_NEAR(w.period_us, 1000 / 23.749, 1e-3);  // 42.1 µs
  EXPECT_DOUBLE_EQ(w.secondary.back().t_us, w.period_us);
  EXPECT_DOUBLE_EQ(w.I_prim_rms_A, 1.61);
  // 4.1941 A x sqrt(22.294 / (3 x 40.102)) = 1.81 A
  EXPECT_DOUBLE_EQ(w.I_sec_rms_A, 1.81);
}

// At an operating point of the loss budget: boundary operation from 0 A, and
// continuous operation from 1 A, both to 3 A. rms of a trapezoid from a to
// b over t of T: √((a² + a·b + b²)/3·t/T): boundary √(3·10/35) = 0.93 A and
// √(3·20/35) = 1.31 A; continuous (13/3 = 4.333 A²) √(4.333·10/30) = 1.20 A
// and √(4.333·20/30) = 1.70 A.
TEST(Waveforms, AtAnOperatingPointThatExists) {
  const struct {
    double I_start_A, I_pk_A, t_on_us, t_off_us, period_us, prim_rms_A, sec_rms_A;
  } cases[] = {{0, 3, 10, 20, 35, 0.93, 1.31}, {1, 3, 10, 20, 30, 1.20, 1.70}};
  for (const auto& c : cases) {
    SwitchingPoint p;
    p.I_start_A = c.I_start_A;
    p.I_pk_A = c.I_pk_A;
    p.t_on_us = c.t_on_us;
    p.t_off_us = c.t_off_us;
    p.period_us = c.period_us;
    const CurrentWaveforms w = WaveformsAt(p);
    EXPECT_DOUBLE_EQ(w.period_us, c.period_us);
    EXPECT_DOUBLE_EQ(w.primary[0].I_A, c.I_start_A);
    EXPECT_DOUBLE_EQ(w.primary[1].I_A, c.I_pk_A);
    EXPECT_DOUBLE_EQ(w.secondary[3].t_us, c.t_on_us + c.t_off_us);
    EXPECT_DOUBLE_EQ(w.secondary[3].I_A, c.I_start_A);
    EXPECT_DOUBLE_EQ(w.I_prim_rms_A, c.prim_rms_A);
    EXPECT_DOUBLE_EQ(w.I_sec_rms_A, c.sec_rms_A);
  }
}

TEST(KeyFigures, DemonstrationDesignIsFineAndAFindingMarksItsFigure) {
  DesignState s = Demonstration();
  std::vector<KeyFigure> figures = KeyFigures(s, CheckDesign(s));
  ASSERT_GE(figures.size(), 8U);
  EXPECT_EQ(figures[0].name, "Bmax");
  EXPECT_EQ(figures[0].value, "340 mT");
  EXPECT_EQ(figures[1].value, "598 V");
  EXPECT_EQ(figures[2].value, "23.7 kHz");
  for (const KeyFigure& figure : figures) {
    EXPECT_NE(figure.verdict, Verdict::kWarning) << figure.name;
    EXPECT_NE(figure.verdict, Verdict::kError) << figure.name;
  }
  s.inputs.U_D_lim = 500;
  figures = KeyFigures(s, CheckDesign(s));
  EXPECT_EQ(figures[1].name, "U_D_max");
  EXPECT_EQ(figures[1].verdict, Verdict::kWarning);
}

TEST(OptimizationRecord, SweepFrom300mTAsThePrintedListShowsIt) {
  // From 300 mT, "Continue?" answered twice with Return and then with 1, the
  // final Bmax 269.5 mT; the result screen's question ends the run.
  std::istringstream in("\n\n\n\n1\n269.5\n");
  std::ostringstream out;
  ScriptConsole console(in, out);
  DesignState state = Calculated(ThreeOutputDemo());
  OptimizationRecorder recorder;
  RunPages(console, state, Page::kOptimization, nullptr, &recorder);
  ASSERT_TRUE(recorder.last_optimization());
  const OptimizationRecord& record = *recorder.last_optimization();
  const std::vector<double> listed = {296.5,  295.5, 289,   288,    281.75, 275.5,
                                      274.75, 269.5, 263.5, 259.5,  257.25, 251,
                                      243.75, 237,   235.5, 230.75, 224.75};
  std::vector<double> rows;
  for (const SweepPoint& row : record.rows) rows.push_back(row.Bmax);
  EXPECT_EQ(rows, listed);
  // Steps of 0.25 mT from 300 mT to 224.5 mT, the step that closed the last row.
  EXPECT_EQ(record.steps.size(), 303U);
  EXPECT_DOUBLE_EQ(record.steps.front().Bmax, 300);
  EXPECT_DOUBLE_EQ(record.steps.back().Bmax, 224.5);
  ASSERT_TRUE(record.best);
  EXPECT_DOUBLE_EQ(record.best->Bmax, 269.5);
  EXPECT_DOUBLE_EQ(DisplayedCfmax(record.best->cf_prod), 0.99);
  EXPECT_EQ(record.chosen_Bmax, 269.5);
}

}  // namespace
}  // namespace flyback

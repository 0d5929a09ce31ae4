// Each warning of a corner fires past its limit and stays silent short of it.

#include "engine/loop/loop_warnings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace flyback {
namespace {

bool Has(const std::vector<LoopWarning>& ws, LoopWarning w) {
  return std::ranges::find(ws, w) != ws.end();
}

TEST(LoopWarningsOf, EachFiresPastItsLimitOnly) {
  // A continuous stage at 50 kHz with its right-half-plane zero at 10 kHz:
  // the crossover limits are 2 kHz (RHPZ) and 10 kHz (switching).
  PowerStageModel continuous;
  continuous.f_sw_Hz = 50e3;
  continuous.f_rhp_zero_Hz = 10e3;
  PowerStageModel boundary;  // no RHP zero; at the worst case, which sets the limit
  boundary.f_sw_Hz = 50e3;
  boundary.I_control_A = 2.5;
  boundary.I_limit_A = 2.5;
  PowerStageModel limited = boundary;  // a point beyond the worst case
  limited.I_control_A = 2.51;
  const struct {
    const char* name;
    const PowerStageModel* plant;
    int crossings;
    std::optional<double> f_c_Hz, PM_deg, GM_dB;
    LoopWarning warning;
    bool fires;
  } cases[] = {
      {"PM 44.9°", &boundary, 1, 1000, 44.9, 20, LoopWarning::kLowPhaseMargin, true},
      {"PM 45°", &boundary, 1, 1000, 45, 20, LoopWarning::kLowPhaseMargin, false},
      {"GM 9.9 dB", &boundary, 1, 1000, 60, 9.9, LoopWarning::kLowGainMargin, true},
      {"GM 10 dB", &boundary, 1, 1000, 60, 10, LoopWarning::kLowGainMargin, false},
      {"no −180°", &boundary, 1, 1000, 60, std::nullopt, LoopWarning::kLowGainMargin, false},
      {"f_c 2.01 kHz", &continuous, 1, 2010, 60, 20, LoopWarning::kNearRightHalfPlaneZero, true},
      {"f_c 2 kHz", &continuous, 1, 2000, 60, 20, LoopWarning::kNearRightHalfPlaneZero, false},
      {"no RHPZ", &boundary, 1, 2010, 60, 20, LoopWarning::kNearRightHalfPlaneZero, false},
      {"f_c 10.1 kHz", &boundary, 1, 10100, 60, 20, LoopWarning::kNearSwitching, true},
      {"f_c 10 kHz", &boundary, 1, 10000, 60, 20, LoopWarning::kNearSwitching, false},
      {"two crossings", &boundary, 2, 1000, 60, 20, LoopWarning::kSeveralCrossings, true},
      {"one crossing", &boundary, 1, 1000, 60, 20, LoopWarning::kSeveralCrossings, false},
      {"none", &boundary, 0, std::nullopt, std::nullopt, std::nullopt, LoopWarning::kNoCrossover,
       true},
      {"one", &boundary, 1, 1000, 60, 20, LoopWarning::kNoCrossover, false},
      {"beyond the limit", &limited, 1, 1000, 60, 20, LoopWarning::kBeyondCurrentLimit, true},
      {"at the limit", &boundary, 1, 1000, 60, 20, LoopWarning::kBeyondCurrentLimit, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopMargins m;
    m.crossings = c.crossings;
    m.crossover_Hz = c.f_c_Hz;
    m.phase_margin_deg = c.PM_deg;
    m.gain_margin_dB = c.GM_dB;
    EXPECT_EQ(Has(LoopWarningsOf(m, *c.plant), c.warning), c.fires);
  }
}

}  // namespace
}  // namespace flyback

// Design checks: the demonstration designs are within every bound; each check
// has a change of the three-output demonstration design (or its fixed-frequency
// variant) that trips it and one that just passes. The figures are those of
// the demonstration design: U_ts = 1.9063 V, turns 53, 9 and 5 with 9 turns of
// the IC supply (100.04 V, 16.16 V, 8.53 V and 16.46 V), Bmax 340 mT,
// U_D_max 597.95 V, fsntmin 23.749 kHz, D_max 0.42293, conduction loss 7.3 W
// of the QMP03N60X5; at fixed frequency 50 .. 70 kHz fsntmin 70.03 kHz and
// 234.3 mT at 50 kHz.

#include "engine/checks/design_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/components/dimensioning.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Dimensioned(DesignState s) {
  s.components = dimension_components(s);
  return s;
}

const DesignState& ThreeOutputs() {
  static const DesignState design = Dimensioned(Calculated(ThreeOutputDemo()));
  return design;
}

const DesignState& FixedFrequency() {
  static const DesignState design = Dimensioned(Calculated(FixedFrequencyDemo(50, 70)));
  return design;
}

bool Finds(const DesignState& s, const std::string& code, Severity severity,
           CheckedQuantity quantity) {
  for (const Finding& finding : CheckDesign(s)) {
    if (finding.code == code) return finding.severity == severity && finding.quantity == quantity;
  }
  return false;
}

TEST(DesignChecks, DemonstrationDesignsAreWithinEveryBound) {
  EXPECT_TRUE(CheckDesign(ThreeOutputs()).empty());
  EXPECT_TRUE(CheckDesign(Dimensioned(Calculated(FourOutputDemo()))).empty());
}

struct CheckCase {
  const char* code;
  Severity severity;
  Quantity quantity;     // the figure the finding marks
  int output;            // of this output; 0: of none
  bool fixed_frequency;  // on the fixed-frequency variant
  std::function<void(DesignState&)> trips;
  std::function<void(DesignState&)> passes;
};

const std::vector<CheckCase>& Cases() {
  static const std::vector<CheckCase> cases = {
      // 8.53 V against the upper end of the window.
      {"output-voltage-high", Severity::kWarning, Quantity::kOutputVoltage, 3, false,
       [](DesignState& s) { s.inputs.output(3).Umax = 8.52; },
       [](DesignState& s) { s.inputs.output(3).Umax = 8.53; }},
      {"output-voltage-low", Severity::kWarning, Quantity::kOutputVoltage, 1, false,
       [](DesignState& s) { s.inputs.output(1).Umin = 100.05; },
       [](DesignState& s) { s.inputs.output(1).Umin = 100.04; }},
      // Half turns by hand: 5.6 x 1.9063 - 0.7 = 9.98 V; 5.62 turns give 10.01 V.
      {"ic-supply-low", Severity::kWarning, Quantity::kIcSupplyVoltage, 0, false,
       [](DesignState& s) { s.transformer.nic = 5.6; },
       [](DesignState& s) { s.transformer.nic = 5.62; }},
      // Up to 16 V + 1.9063 V = 17.91 V: 10 turns give 18.36 V, 9.75 turns 17.89 V.
      {"ic-supply-high", Severity::kWarning, Quantity::kIcSupplyVoltage, 0, false,
       [](DesignState& s) { s.transformer.nic = 10; },
       [](DesignState& s) { s.transformer.nic = 9.75; }},
      {"magnetization-above-limit", Severity::kWarning, Quantity::kBmax, 0, false,
       [](DesignState& s) { s.inputs.Bmaxlim = 339.99; },
       [](DesignState& s) { s.inputs.Bmaxlim = 340; }},
      // 234.3 mT at 50 kHz: not below 234 mT, below 235 mT.
      {"fixed-frequency-magnetization-above-limit", Severity::kWarning,
       Quantity::kBmaxAtFixedFrequency, 0, true, [](DesignState& s) { s.inputs.Bmaxlim = 234; },
       [](DesignState& s) { s.inputs.Bmaxlim = 235; }},
      {"drain-voltage-above-limit", Severity::kWarning, Quantity::kDrainVoltage, 0, false,
       [](DesignState& s) { s.inputs.U_D_lim = 597.9; },
       [](DesignState& s) { s.inputs.U_D_lim = 598; }},
      {"frequency-below-limit", Severity::kWarning, Quantity::kFrequency, 0, false,
       [](DesignState& s) { s.inputs.f_low_lim = 23.75; },
       [](DesignState& s) { s.inputs.f_low_lim = 23.74; }},
      {"frequency-below-fixed-range", Severity::kWarning, Quantity::kFrequency, 0, true,
       [](DesignState& s) { s.inputs.f_fix_max = 70.1; },
       [](DesignState& s) { s.inputs.f_fix_max = 70; }},
      // 7.3 W against P_in_max - 76 W: 83.2 W leaves 7.2 W, 83.3 W leaves 7.3 W.
      {"conduction-loss-above-budget", Severity::kWarning, Quantity::kConductionLoss, 0, false,
       [](DesignState& s) { s.inputs.P_in_max = 83.2; },
       [](DesignState& s) { s.inputs.P_in_max = 83.3; }},
      {"duty-cycle-out-of-range", Severity::kError, Quantity::kDutyCycle, 0, false,
       [](DesignState& s) { s.transformer.D_max = 1; },
       [](DesignState& s) { s.transformer.D_max = 0.99; }},
      {"frequency-not-positive", Severity::kError, Quantity::kFrequency, 0, false,
       [](DesignState& s) { s.transformer.fsntmin = std::nan(""); },
       [](DesignState& s) { s.transformer.fsntmin = 0.001; }},
      // 53 turns: 0.001 x 0.17 x 53² = 0.48 µH shows as 0, with 0.18 nH 0.51 µH as 1.
      {"inductance-not-positive", Severity::kError, Quantity::kPrimaryInductance, 0, false,
       [](DesignState& s) { s.inputs.AL = 0.17; }, [](DesignState& s) { s.inputs.AL = 0.18; }},
      // Whole turns: 0.5 rounds to the even 0.
      {"primary-turns-not-positive", Severity::kError, Quantity::kPrimaryTurns, 0, false,
       [](DesignState& s) { s.transformer.n_prim = 0.5; },
       [](DesignState& s) { s.transformer.n_prim = 0.51; }},
      {"ic-turns-not-positive", Severity::kError, Quantity::kIcTurns, 0, false,
       [](DesignState& s) { s.transformer.nic = 0; },
       [](DesignState& s) { s.transformer.nic = 0.01; }},
      {"output-turns-not-positive", Severity::kError, Quantity::kOutputTurns, 2, false,
       [](DesignState& s) { s.transformer.n_out(2) = 0; },
       [](DesignState& s) { s.transformer.n_out(2) = 0.01; }},
      // 0.5 x 1.9063 - 1 = -0.05 V; 0.53 turns give 0.01 V.
      {"output-voltage-not-positive", Severity::kError, Quantity::kOutputVoltage, 3, false,
       [](DesignState& s) { s.transformer.n_out(3) = 0.5; },
       [](DesignState& s) { s.transformer.n_out(3) = 0.53; }},
  };
  return cases;
}

TEST(DesignChecks, EachCheckTripsAndJustPasses) {
  for (const CheckCase& c : Cases()) {
    DesignState tripped = c.fixed_frequency ? FixedFrequency() : ThreeOutputs();
    DesignState passed = tripped;
    c.trips(tripped);
    c.passes(passed);
    EXPECT_TRUE(Finds(tripped, c.code, c.severity, {c.quantity, c.output})) << c.code;
    EXPECT_FALSE(Finds(passed, c.code, c.severity, {c.quantity, c.output})) << c.code;
  }
}

TEST(DesignChecks, AFindingNamesItsQuantityValueAndBound) {
  DesignState s = ThreeOutputs();
  s.transformer.n_out(3) = 6;  // by hand: 6 x 1.9063 - 1 = 10.44 V, window 8 .. 9 V
  const std::vector<Finding> findings = CheckDesign(s);
  ASSERT_EQ(findings.size(), 1U);
  EXPECT_EQ(findings[0].code, "output-voltage-high");
  EXPECT_EQ(findings[0].quantity, (CheckedQuantity{Quantity::kOutputVoltage, 3}));
  EXPECT_DOUBLE_EQ(findings[0].value, 10.44);
  EXPECT_DOUBLE_EQ(findings[0].bound, 9);
  EXPECT_EQ(findings[0].message, "Output 3 gives 10.44 V, above its maximum of 9 V.");
  EXPECT_STREQ(SeverityName(findings[0].severity), "warning");
}

// The quantities as the design file names them (docs/export.md).
TEST(DesignChecks, QuantitiesAreNamedByTheirSymbols) {
  const struct {
    CheckedQuantity quantity;
    const char* name;
  } symbols[] = {
      {{Quantity::kDutyCycle}, "D_max"},
      {{Quantity::kFrequency}, "fsntmin"},
      {{Quantity::kPrimaryInductance}, "L_prim"},
      {{Quantity::kPrimaryTurns}, "n_prim"},
      {{Quantity::kIcTurns}, "nic"},
      {{Quantity::kIcSupplyVoltage}, "U_ic_act"},
      {{Quantity::kOutputTurns, 2}, "n(2)"},
      {{Quantity::kOutputVoltage, 3}, "Uact(3)"},
      {{Quantity::kBmax}, "Bmax"},
      {{Quantity::kBmaxAtFixedFrequency}, "Bmax(f_fix_min)"},
      {{Quantity::kDrainVoltage}, "U_D_max"},
      {{Quantity::kConductionLoss}, "P_cond"},
  };
  for (const auto& symbol : symbols) EXPECT_EQ(QuantityName(symbol.quantity), symbol.name);
}

TEST(DesignChecks, ErrorsComeFirst) {
  DesignState s = ThreeOutputs();
  s.inputs.U_D_lim = 500;      // a warning
  s.transformer.n_out(2) = 0;  // an error
  const std::vector<Finding> findings = CheckDesign(s);
  ASSERT_GE(findings.size(), 2U);
  EXPECT_EQ(findings.front().severity, Severity::kError);
  EXPECT_EQ(findings.back().severity, Severity::kWarning);
}

}  // namespace
}  // namespace flyback

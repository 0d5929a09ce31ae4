// The ngspice netlist of the three-output demonstration design (80 W,
// SMT 31/190: AL 190 nH; turns: primary 53.33 → 53 whole turns, outputs 53,
// 9, 5, IC supply 9), its elements against hand calculations. Only element
// lines are parsed; the comments and the layout are free.

#include "engine/simulation/spice_netlist.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/components/dimensioning.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Demo() {
  return CalculatedWithComponents(ThreeOutputDemo());
}

std::string NetlistOf(const DesignState& s) {
  return SpiceNetlist(s, ComputeLossBudget(s, nullptr));
}

// The words of the element line that begins with `name`, comment cut off.
std::vector<std::string> Element(const std::string& netlist, const std::string& name) {
  std::istringstream lines(netlist);
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find(';'));
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (!w.empty() && w[0] == name) return w;
  }
  ADD_FAILURE() << "no element " << name;
  return {};
}

// A SPICE figure with its scale suffix: "533.71u" is 533.71e-6.
double Value(const std::string& text) {
  double x = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), x);
  EXPECT_EQ(error, std::errc()) << text;
  const std::string suffix(end, text.data() + text.size());
  if (suffix == "u") return x * 1e-6;
  if (suffix == "n") return x * 1e-9;
  if (suffix == "p") return x * 1e-12;
  EXPECT_EQ(suffix, "") << text;
  return x;
}

double ValueOf(const std::string& netlist, const std::string& name) {
  const std::vector<std::string> w = Element(netlist, name);
  return w.size() < 4 ? 0 : Value(w[3]);
}

TEST(SpiceNetlist, InductancesOfTheWholeTurns) {
  const std::string n = NetlistOf(Demo());
  // L_prim = 0.001·190·53² = 533.71 µH; L_i = 533.71·(n_i/53)².
  EXPECT_EQ(Element(n, "Lp"), (std::vector<std::string>{"Lp", "p", "drain", "533.71u"}));
  const std::pair<const char*, double> windings[] = {
      {"Ls1", 533.71e-6}, {"Ls2", 15.39e-6}, {"Ls3", 4.75e-6}, {"Lic", 15.39e-6}};
  for (const auto& [name, L] : windings) EXPECT_NEAR(ValueOf(n, name), L, 1e-5 * L) << name;
}

TEST(SpiceNetlist, OneCouplingPerPairThePrimaryByTheLeakageShare) {
  const std::string n = NetlistOf(Demo());
  // Five windings: 10 pairs; the primary's four by √(1 − 0.045508) =
  // 0.976981, the leakage its winding gives (tests/losses).
  for (int i = 1; i <= 4; ++i) {
    const std::vector<std::string> k = Element(n, "K" + std::to_string(i));
    ASSERT_EQ(k.size(), 4u);
    EXPECT_EQ(k[1], "Lp");
    EXPECT_NEAR(Value(k[3]), 0.976981, 1e-6);
  }
  EXPECT_EQ(Element(n, "K10").size(), 4u);
  EXPECT_EQ(n.find("\nK11 "), std::string::npos);
}

TEST(SpiceNetlist, LoadsBusClampAndSwitch) {
  const DesignState s = Demo();
  const std::string n = NetlistOf(s);
  // R = Uact/Imax: 100.04/0.5, 16.16/1, 8.53/1; IC supply 16.46 V/10 mA.
  EXPECT_DOUBLE_EQ(ValueOf(n, "R1"), 200.08);
  EXPECT_DOUBLE_EQ(ValueOf(n, "R2"), 16.16);
  EXPECT_DOUBLE_EQ(ValueOf(n, "R3"), 8.53);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Ric"), 1646);
  // √2·90 = 127.279 V; √2·270·1.1 = 420.021 V.
  EXPECT_NE(n.find(".param Ubus_min=127.279 Ubus_max=420.021\n.param Ubus={Ubus_min}\n"),
            std::string::npos);
  const SpiceRun highest = SpiceRunOf(s, ComputeLossBudget(s, nullptr), BusPoint::kHighest);
  EXPECT_NE(highest.netlist.find("\n.param Ubus={Ubus_max}\n"), std::string::npos);
  EXPECT_DOUBLE_EQ(highest.U_bus_V, std::sqrt(2) * 270 * 1.1);
  // With PFC the charge pump holds the drain at U_bus + k_os·U_refl, the
  // calculation's own assumption: 1.75·101.6713 = 177.925 V above the bus;
  // beside it the list's R06 4.7 kOhm and C06 1 nF.
  EXPECT_NEAR(ValueOf(n, "Vcl"), 177.925, 1e-3);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Rc"), 4700);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Cc"), 1e-9);
  // The proposed QMP03N60X5 (600 V, 1.4 Ohm, 3.2 A).
  EXPECT_EQ(s.components.mosfet, "QMP03N60X5");
  EXPECT_NE(n.find(" RON=1.4 "), std::string::npos);
  // The drain: C_oss 150 pF and C09 220 pF.
  EXPECT_DOUBLE_EQ(ValueOf(n, "Cd"), 370e-12);
}

TEST(SpiceNetlist, OutputCapacitorsFromTheListOrOnePercentRipple) {
  DesignState s = Demo();
  s.component_list = std::vector<ComponentRow>{{.designator = "C41", .value = 100, .unit = "µF"}};
  const std::string n = NetlistOf(s);
  EXPECT_DOUBLE_EQ(ValueOf(n, "C1"), 100e-6);
  // Without a row: Imax·T/(0.01·Uact), T the period at the crest of the
  // lowest input voltage, 32.49042 µs (tests/losses): 1·32.49042/0.1616 =
  // 201.055 µF.
  EXPECT_NEAR(ValueOf(n, "C2"), 201.055e-6, 0.001e-6);
}

TEST(SpiceNetlist, FixedFrequencyIsClockedAtTheLowestFrequency) {
  DesignState s = Calculated(FixedFrequencyDemo(50, 70));
  s.components = dimension_components(s);
  const std::string n = NetlistOf(s);
  // PULSE(0 1 0 10n 10n 200n T) with T = 1/50 kHz = 20 µs.
  const std::vector<std::string> clock = Element(n, "Vclk");
  ASSERT_EQ(clock.size(), 10u);
  EXPECT_DOUBLE_EQ(Value(clock[9].substr(0, clock[9].size() - 1)), 20e-6);
  EXPECT_EQ(n.find("\nBset "), std::string::npos);
}

// The figure words of a netlist: every word with a digit, comments included.
std::vector<std::string> FigureWords(const std::string& netlist) {
  std::vector<std::string> figures;
  std::istringstream words(netlist);
  for (std::string word; words >> word;) {
    if (word.find_first_of("0123456789") != std::string::npos) figures.push_back(word);
  }
  return figures;
}

TEST(SpiceNetlist, AnOutputWithoutLoadGetsTheBleeder) {
  // Output 3 (Uact 8.53 V) as a spare winding, Imax 0 and, as typed, -0.
  for (const double Imax : {0.0, -0.0}) {
    DesignState s = Demo();
    s.inputs.output(3).Imax = Imax;
    const SpiceRun run = SpiceRunOf(s, ComputeLossBudget(s, nullptr), BusPoint::kLowest);
    EXPECT_EQ(run.non_finite_line, "");
    // R = 8.53 V / 1 mA; N = 1 V / (0.025864 V · ln(1e-3 / 1e-12)) = 1 / 0.53599
    // = 1.86572.
    EXPECT_DOUBLE_EQ(ValueOf(run.netlist, "R3"), 8530);
    EXPECT_NE(run.netlist.find(".model DR3 D(IS=1e-12 N=1.86572)"), std::string::npos);
    for (const std::string& word : FigureWords(run.netlist)) {
      EXPECT_EQ(word.find("inf"), std::string::npos) << word;
      EXPECT_EQ(word.find("nan"), std::string::npos) << word;
      EXPECT_NE(word.find("=-0"), 0U) << word;
    }
  }
}

TEST(SpiceNetlist, NamesTheLineOfAFigureThatIsNotFinite) {
  // A clock at 0 kHz: the period is infinite, and the IC supply's default
  // capacitor I·T/(0.01·U), the first figure of the netlist that depends on
  // it, is too.
  DesignState s = Calculated(FixedFrequencyDemo(50, 70));
  s.components = dimension_components(s);
  s.inputs.f_fix_min = 0;
  const SpiceRun run = SpiceRunOf(s, ComputeLossBudget(s, nullptr), BusPoint::kLowest);
  EXPECT_EQ(run.non_finite_line, "Cic ic 0 infu ; 1 % ripple at the design point");
  EXPECT_EQ(
      SpiceRunOf(Demo(), ComputeLossBudget(Demo(), nullptr), BusPoint::kLowest).non_finite_line,
      "");
}

}  // namespace
}  // namespace flyback

// The averaged circuit of the feedback loop of the 80 W demonstration
// regulated through the opto-coupler at 100 V, at the corner lowest input
// (bus valley 100.8 V), full load, CTR 0.38, its elements against a hand
// calculation from the loss budget's point (tests/loop/loop_design_test.cpp
// gives it: P_in 91.299272 W, L_prim 540.436914 µH, U_refl 101.671263 V,
// k_T 1.05, I_pk 3.787837 A, I_D_max 4.194108 A):
//   Free running: output current η·k_i·v(fb)/(2·k_T·(1/U_bus + 1/U_refl(v)))/v
//   with η = 76 W/91.299272 W = 0.8324271, η/(2·1.05) = 0.3963939,
//   k_i = 4.194108/3 = 1.398036 A/V, U_refl(v) = 101.671263/100·v.
//   Capacitors referred to 100 V by C·(U/100)², ESR by (100/U)²: output 1
//   100 µF, 0.994718 Ω (160 V row, tan δ 0.15); output 2 1000 µF at 16 V
//   (rated 20 V, 25 V row, tan δ 0.14: ½·0.14/(2π·120·1000 µF) =
//   0.0928404 Ω) → 25.6 µF, 3.626577 Ω; output 3 2200 µF at 8.5 V (rated
//   10.6 V, 16 V row, tan δ 0.16 + 0.02·1.2 = 0.184: 0.0554631 Ω) →
//   15.895 µF, 7.676552 Ω. Load 100²/76 = 131.5789 Ω.
//   Divider: R65 220 kΩ, the lower resistor 220 kΩ·2.5/(100 − 2.5) =
//   5641.026 Ω. Compensator R63 39 kΩ + C61 15 nF, C62 56 pF, R61 1 kΩ,
//   LED 1.1 V, opto 0.38, pull-up 20 kΩ to 5 V, 1.5 + 1.4 nF at the pin.
//   The regulator after the TL431's device model at 1 mA: gain
//   (0.3 + 2.7·exp(−1/26)) S·1 MΩ·1.25 µS·R61 = 3622.66, so the amplifier
//   node's Rx = 3622.66/1 mS = 3.62266 MΩ, its pole 1/(2π·1 MΩ·20 pF) =
//   7957.75 Hz, Cx = 5.52081 pF; about the cathode at rest: the pin at
//   I_pk/k_i = 3.787837·3/4.194108 = 2.709399 V, the LED's current
//   (5 − 2.709399) V/(20 kΩ·0.38) = 0.301395 mA, the cathode 100 − 1.1 −
//   0.301395 = 98.59860 V.

#include "engine/simulation/loop_netlist.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "engine/losses/loss_budget.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

std::string CornerNetlist() {
  const DesignState s = OptoRegulatedDemo();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const LoopDesign loop = ComputeLoopDesign(s, budget);
  const LoopCorner& c = loop.corners[4];  // lowest input, full load, CTR 0.38
  EXPECT_EQ(c.line, "lowest input");
  EXPECT_EQ(c.load_share, 1);
  EXPECT_EQ(c.CTR, 0.38);
  return LoopNetlist(c, LoopCircuitOf(s, budget, loop), 10, 11774.43, 50);
}

// The words of the line that begins with `name`.
std::vector<std::string> Line(const std::string& netlist, const std::string& name) {
  std::istringstream lines(netlist);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (!w.empty() && w[0] == name) return w;
  }
  ADD_FAILURE() << "no line " << name;
  return {};
}

double Number(const std::string& text) {
  double x = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), x);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return x;
}

struct Element {
  const char* name;
  const char* node_a;
  const char* node_b;
  double value;  // SI
};

TEST(LoopNetlist, ElementsOfTheDemonstrationCornerAsByHand) {
  const std::string n = CornerNetlist();
  const Element elements[] = {
      {"Cout1", "out", "esr1", 100e-6},    {"Resr1", "esr1", "0", 0.994718},
      {"Cout2", "out", "esr2", 25.6e-6},   {"Resr2", "esr2", "0", 3.626577},
      {"Cout3", "out", "esr3", 15.895e-6}, {"Resr3", "esr3", "0", 7.676552},
      {"Rload", "out", "0", 131.5789},     {"Vinject", "sense", "out", 0},
      {"R65", "sense", "ref", 220e3},      {"R60", "ref", "0", 5641.026},
      {"R63", "ka", "zc", 39e3},           {"C61", "zc", "ref", 15e-9},
      {"C62", "ka", "ref", 56e-12},        {"R61", "sense", "led", 1e3},
      {"Vled", "led", "ka", 1.1},          {"Rx", "x", "xo", 3.62266e6},
      {"Cx", "x", "xo", 5.52081e-12},      {"Vxo", "xo", "0", 98.59860},
      {"Rpu", "pu", "fb", 20e3},           {"Vpu", "pu", "0", 5},
      {"Cfb", "fb", "0", 2.9e-9},
  };
  for (const Element& e : elements) {
    const std::vector<std::string> w = Line(n, e.name);
    ASSERT_GE(w.size(), 4U) << e.name;
    EXPECT_EQ(w[1], e.node_a) << e.name;
    EXPECT_EQ(w[2], e.node_b) << e.name;
    // The injection's DC value follows "DC".
    const double value = Number(w[3] == "DC" ? w[4] : w[3]);
    EXPECT_NEAR(value, e.value, 2e-6 * e.value + 1e-15) << e.name;
  }
  EXPECT_EQ(Line(n, "Vinject"),
            (std::vector<std::string>{"Vinject", "sense", "out", "DC", "0", "AC", "1"}));
  EXPECT_EQ(Line(n, "Eka"), (std::vector<std::string>{"Eka", "ka", "0", "x", "0", "1"}));
  EXPECT_EQ(Line(n, "Fopto"), (std::vector<std::string>{"Fopto", "fb", "0", "Vled", "0.38"}));
  EXPECT_EQ(Line(n, ".ac"), (std::vector<std::string>{".ac", "dec", "50", "10", "11774.43"}));
}

TEST(LoopNetlist, FreeRunningStageAsByHand) {
  const std::vector<std::string> w = Line(CornerNetlist(), "Bstage");
  ASSERT_EQ(w.size(), 4U);
  EXPECT_EQ(w[1], "0");
  EXPECT_EQ(w[2], "out");
  // I=η/(2·k_T)*(k_i*max(v(fb),0))/(1/U_bus+1/(U_refl/U_o*v(out)))/v(out)
  const std::string& law = w[3];
  ASSERT_EQ(law.substr(0, 2), "I=");
  std::string numbers;
  for (const char c : law) numbers += (c >= '0' && c <= '9') || c == '.' ? c : ' ';
  std::istringstream figures(numbers);
  std::vector<double> got;
  for (std::string f; figures >> f;) got.push_back(Number(f));
  const std::vector<double> want = {0.3963939, 1.398036, 0, 1, 100.8, 1, 1.0167126};
  ASSERT_EQ(got.size(), want.size()) << law;
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 2e-6 * want[i]) << law;
}

// The operating point starts at the regulated output and at the feedback
// voltage of the point's peak current, I_pk·A_cs·1 V/I_D_max =
// 3.787837·3/4.194108 = 2.709399 V: the stage's power law has a second
// root at a negative feedback voltage, where the loop would close
// positively.
TEST(LoopNetlist, OperatingPointStartsAtTheStagesRoot) {
  const std::vector<std::string> w = Line(CornerNetlist(), ".nodeset");
  ASSERT_EQ(w.size(), 4U);
  EXPECT_EQ(w[1], "v(out)=100");
  EXPECT_EQ(w[2], "v(sense)=100");
  ASSERT_EQ(w[3].substr(0, 6), "v(fb)=");
  EXPECT_NEAR(Number(w[3].substr(6)), 2.709399, 2e-6);
}

}  // namespace
}  // namespace flyback

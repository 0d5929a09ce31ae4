// The ngspice netlist of the three-output demonstration design (80 W,
// SMT 31/190: AL 190 nH; turns: primary 53.33 → 53 whole turns, outputs 53,
// 9, 5, IC supply 9), its elements against hand calculations. Only element
// lines are parsed; the comments and the layout are free.
//
// Its winding as the loss budget takes it (tests/losses): builds b_p =
// 1.28991 mm, outputs 0.44752, 0.63291, 0.63291 mm, b_s = 1.81332 mm with
// two tapes, gap 0.15 mm, leakage 4.5508 % of L_prim. Split by the field:
// primary 0.075 + 1.28991/3 = 0.50497, secondaries 0.075 + 1.81332/3 =
// 0.67944 of 1.18441, so s_p = 0.045508·0.50497/1.18441 = 0.019402 and the
// secondaries 0.026106 by build (Σ 1.71334 mm): s_1 = 0.0068188, s_2 = s_3 =
// 0.0096435, the IC supply 0.026106/3 = 0.0087020.

#include "engine/simulation/spice_netlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/components/dimensioning.h"
#include "engine/efficiency/efficiency_map.h"
#include "engine/simulation/load_point_comparison.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

DesignState Demo() {
  return CalculatedWithComponents(ThreeOutputDemo());
}

// The netlist with the design's loop where it has one, as the design's
// evaluation gives it.
std::string NetlistOf(const DesignState& s) {
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  return SpiceNetlist(s, budget,
                      LoopNotModelledReason(s).empty()
                          ? std::optional<LoopDesign>(ComputeLoopDesign(s, budget))
                          : std::nullopt);
}

// The words of every line of `netlist`, each line's comment after ';' cut off.
std::vector<std::vector<std::string>> LineWords(const std::string& netlist) {
  std::vector<std::vector<std::string>> lines_words;
  std::istringstream lines(netlist);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line.substr(0, line.find(';')));
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    lines_words.push_back(std::move(w));
  }
  return lines_words;
}

// The words of the element line that begins with `name`.
std::vector<std::string> Element(const std::string& netlist, const std::string& name) {
  for (std::vector<std::string>& w : LineWords(netlist)) {
    if (!w.empty() && w[0] == name) return std::move(w);
  }
  ADD_FAILURE() << "no element " << name;
  return {};
}

// A SPICE figure with its scale suffix: "533.71u" is 533.71e-6, "39k" 39e3.
double Value(const std::string& text) {
  double x = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), x);
  EXPECT_EQ(error, std::errc()) << text;
  const std::string suffix(end, text.data() + text.size());
  if (suffix == "k") return x * 1e3;
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

TEST(SpiceNetlist, InductancesOfTheWholeTurnsWithTheirOwnLeakage) {
  const std::string n = NetlistOf(Demo());
  // L_prim = 0.001·190·53² = 533.71 µH; one magnetizing inductance L_m =
  // 533.71·(1 − 0.019402) = 523.355 µH, L_i = L_m·(n_i/53)²/(1 − s_i).
  EXPECT_EQ(Element(n, "Lp"), (std::vector<std::string>{"Lp", "p", "drain", "533.71u"}));
  const std::pair<const char*, double> windings[] = {
      {"Ls1", 523.355e-6 / (1 - 0.0068188)},
      {"Ls2", 523.355e-6 * 81 / 2809 / (1 - 0.0096435)},
      {"Ls3", 523.355e-6 * 25 / 2809 / (1 - 0.0096435)},
      {"Lic", 523.355e-6 * 81 / 2809 / (1 - 0.0087020)}};
  for (const auto& [name, L] : windings) EXPECT_NEAR(ValueOf(n, name), L, 2e-5 * L) << name;
}

TEST(SpiceNetlist, EveryPairCoupledByItsTwoLeakages) {
  const std::string n = NetlistOf(Demo());
  // k = √((1 − s_a)(1 − s_b)): the secondaries no longer couple ideally.
  struct Pair {
    const char* K;
    const char* a;
    const char* b;
    double k;
  };
  const Pair pairs[] = {
      {"K1", "Lp", "Lic", std::sqrt((1 - 0.019402) * (1 - 0.0087020))},
      {"K2", "Lp", "Ls1", std::sqrt((1 - 0.019402) * (1 - 0.0068188))},
      {"K6", "Lic", "Ls2", std::sqrt((1 - 0.0087020) * (1 - 0.0096435))},
      {"K8", "Ls1", "Ls2", std::sqrt((1 - 0.0068188) * (1 - 0.0096435))},
      {"K10", "Ls2", "Ls3", 1 - 0.0096435},
  };
  for (const Pair& p : pairs) {
    const std::vector<std::string> k = Element(n, p.K);
    ASSERT_EQ(k.size(), 4u) << p.K;
    EXPECT_EQ(k[1], p.a);
    EXPECT_EQ(k[2], p.b);
    EXPECT_NEAR(Value(k[3]), p.k, 2e-6) << p.K;
  }
  EXPECT_EQ(n.find("\nK11 "), std::string::npos);
}

TEST(SpiceNetlist, WindingResistancesHotInSeries) {
  const DesignState demo = Demo();
  const LossBudget budget = ComputeLossBudget(demo, nullptr);
  const std::string n = SpiceNetlist(demo, budget, std::nullopt);
  // The primary's resistor between Vsense and Lp, each output's between its
  // inductor and its rectifier; the IC supply's wire is not sized, so it has
  // none.
  EXPECT_EQ(Element(n, "Vsense")[2], "pw");
  const std::vector<std::string> primary = Element(n, "Rwp");
  ASSERT_EQ(primary.size(), 4u);
  EXPECT_EQ(primary[1] + " " + primary[2], "pw p");
  EXPECT_EQ(Element(n, "Rw2")[2], "s2");
  EXPECT_EQ(Element(n, "Lic")[2], "aux");
  // Each resistor dissipates the budget's copper loss (DC and harmonics) at
  // the lowest bus's crest with the rms current of its ramp: the primary
  // rises to I_pk in t_on (boundary mode), output i falls from
  // 2·Imax·T/t_off in t_off, I_rms² = I_peak²·t/(3·T). Above the DC
  // resistance ρ(100 °C)·N·MLT/A (tests/losses: 0.30470, 0.63283, 0.053731,
  // 0.029851 Ω) by the skin and proximity effect.
  const SwitchingPoint& p = budget.lowest_crest.switching;
  const double T = p.period_us;
  struct Winding {
    const char* name;
    double R_dc_ohm;
    double I_peak_A;
    double t_us;
  };
  const auto secondary_peak = [&](int i) {
    return 2 * demo.inputs.output(i).Imax * T / p.t_off_us;
  };
  const Winding windings[] = {{"Rwp", 0.30470, p.I_pk_A, p.t_on_us},
                              {"Rw1", 0.63283, secondary_peak(1), p.t_off_us},
                              {"Rw2", 0.053731, secondary_peak(2), p.t_off_us},
                              {"Rw3", 0.029851, secondary_peak(3), p.t_off_us}};
  for (std::size_t i = 0; i < std::size(windings); ++i) {
    const Winding& w = windings[i];
    const double R = ValueOf(n, w.name);
    const double I_rms2 = w.I_peak_A * w.I_peak_A * w.t_us / (3 * T);
    EXPECT_NEAR(R * I_rms2, budget.lowest_crest.windings[i].P_W,
                2e-5 * budget.lowest_crest.windings[i].P_W)
        << w.name;
    EXPECT_GT(R, 1.001 * w.R_dc_ohm) << w.name;
  }
}

TEST(SpiceNetlist, CoreLossAsAResistorAcrossThePrimaryAtEachBus) {
  const DesignState demo = Demo();
  const LossBudget budget = ComputeLossBudget(demo, nullptr);
  // The primary sees the bus during t_on and U_refl = 101.671263 V during
  // t_off: R = (U_bus²·t_on + U_refl²·t_off)/(T·P_core) dissipates the
  // budget's core loss of the point.
  const double U_refl = 101.671263;
  const std::pair<BusPoint, const OperatingPointLosses*> points[] = {
      {BusPoint::kLowest, &budget.lowest_crest}, {BusPoint::kHighest, &budget.highest_input}};
  for (const auto& [point, losses] : points) {
    const std::string n = SpiceNetlist(demo, budget, std::nullopt, point);
    const SwitchingPoint& p = losses->switching;
    const double U2 =
        (p.U_bus_V * p.U_bus_V * p.t_on_us + U_refl * U_refl * p.t_off_us) / p.period_us;
    const std::vector<std::string> core = Element(n, "Rcore");
    ASSERT_EQ(core.size(), 4u);
    EXPECT_EQ(core[1] + " " + core[2], "p drain");
    EXPECT_NEAR(Value(core[3]), U2 / *losses->core_W, 2e-5 * U2 / *losses->core_W);
  }
}

TEST(SpiceNetlist, RectifiersFittedToTheirDataSheets) {
  const std::string n = NetlistOf(Demo());
  // D42, D43: MUR 420 (≤ 100 V, 1.75·1 A ≤ 4 A). Its two points, 0.88 V at
  // 3 A and 0.89 V at 4 A: N = 0.01/(0.025864·ln(4/3)) = 0.01/0.0074406 =
  // 1.34398, IS = 3·e^(−0.88/(1.34398·0.025864)) = 3·e^(−25.316) =
  // 3.0375e-11 A; TT = 25 ns/ln(1 + 0.5/1) = 61.658 ns; CJO 60 pF, the
  // 4 A MUR440GR's at 4 V.
  // D26 1N4148 through 0.72 V at 5 mA and 1.0 V at 100 mA: N =
  // 0.28/(0.025864·ln 20) = 3.61376, IS = 0.005·e^(−0.72/0.093467) =
  // 2.2567e-6 A; TT = 4 ns/ln 2 = 5.7708 ns; CJO 4 pF.
  EXPECT_NE(n.find(".model DR2 D(IS=3.03747e-11 N=1.34398 RS=0 CJO=60p TT=61.6576n)"),
            std::string::npos);
  EXPECT_NE(n.find(".model DR3 D(IS=3.03747e-11 N=1.34398 RS=0 CJO=60p TT=61.6576n)"),
            std::string::npos);
  EXPECT_NE(n.find(".model DRic D(IS=2.25665e-06 N=3.61376 RS=0 CJO=4p TT=5.77078n)"),
            std::string::npos);
  // D41 is a MUR 490 (600 V class exceeded), of which no figures are held:
  // the design-drop diode, 1 V at 0.5 A: N = 1/(0.025864·ln(0.5/1e-12)) =
  // 1.43529.
  EXPECT_NE(n.find(".model DR1 D(IS=1e-12 N=1.43529)"), std::string::npos);
}

TEST(SpiceNetlist, OutputCapacitorsHaveTheirSeriesResistance) {
  const std::string n = NetlistOf(Demo());
  // Between the output node and the capacitor, the loss budget's ESR of the
  // listed capacitor: ½·tanδ/(2π·120 Hz·C) with the series' tan δ at the
  // rating next above 1.25·Umax. Output 1: 100 µF, 160 V row, 0.15:
  // 0.075/0.0753982 = 0.994718 Ω; output 2: 1000 µF, 25 V row, 0.14:
  // 0.07/0.753982 = 0.0928404 Ω; output 3: 2200 µF, 16 V row, 0.16 + 0.02·1.2
  // = 0.184: 0.092/1.65876 = 0.0554631 Ω. The IC supply's capacitor 0.1 Ω.
  const std::pair<const char*, double> expected[] = {
      {"1", 0.994718}, {"2", 0.0928404}, {"3", 0.0554631}, {"ic", 0.1}};
  for (const auto& [name, ESR_ohm] : expected) {
    const std::vector<std::string> esr = Element(n, std::string("Resr") + name);
    ASSERT_EQ(esr.size(), 4u) << name;
    EXPECT_EQ(esr[2], std::string("e") + name);
    EXPECT_NEAR(Value(esr[3]), ESR_ohm, 1e-6) << name;
    EXPECT_EQ(Element(n, std::string("C") + name)[1], std::string("e") + name);
  }
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
  const SpiceRun highest =
      SpiceRunOf(s, ComputeLossBudget(s, nullptr), std::nullopt, BusPoint::kHighest);
  EXPECT_NE(highest.netlist.find("\n.param Ubus={Ubus_max}\n"), std::string::npos);
  EXPECT_DOUBLE_EQ(highest.U_bus_V, std::sqrt(2) * 270 * 1.1);
  // With PFC the charge pump holds the drain at U_bus + k_os·U_refl, the
  // calculation's own assumption: 1.75·101.6713 = 177.925 V above the bus;
  // beside it the list's D09 into C06 1 nF ∥ R06 4.7 kΩ.
  EXPECT_NEAR(ValueOf(n, "Vcl"), 177.925, 1e-3);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Rc"), 4700);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Cc"), 1e-9);
  // The proposed QMP03N60X5 (600 V, 1.4 Ohm, 3.2 A), at 100 °C twice that.
  EXPECT_EQ(s.components.mosfet, "QMP03N60X5");
  EXPECT_NE(n.find(" RON=2.8 "), std::string::npos);
  // The drain: C_oss 150 pF and C09 220 pF.
  EXPECT_DOUBLE_EQ(ValueOf(n, "Cd"), 370e-12);
}

// The names of the element lines that connect to `node` (comment and
// control lines are no elements).
std::vector<std::string> ElementsAt(const std::string& netlist, const std::string& node) {
  std::vector<std::string> names;
  for (const std::vector<std::string>& w : LineWords(netlist)) {
    if (w.empty() || w[0][0] == '*' || w[0][0] == '.') continue;
    if (std::find(std::next(w.begin()), w.end(), node) != w.end()) names.push_back(w[0]);
  }
  return names;
}

TEST(SpiceNetlist, TurnsOnInTheValleyAQuarterOfTheRingingAfterTheFall) {
  // The ringing after demagnetization: L_prim 533.71 µH with the drain's
  // 370 pF, a quarter of its period π/2·√(533.71·370) ns = 698.029 ns
  // after the IC-supply winding falls through 0, the drain in the valley.
  DesignState opto = ThreeOutputDemo();
  opto.inputs.opto_reg = true;
  opto.inputs.U_opto = 100;
  for (const DesignState& s : {Demo(), CalculatedWithComponents(opto)}) {
    const std::string n = NetlistOf(s);
    const std::vector<std::string> line = Element(n, "Tvalley");
    ASSERT_EQ(line.size(), 7u);
    EXPECT_EQ(line[5], "Z0=1k");
    EXPECT_NEAR(Value(line[6].substr(3)), 698.029e-9, 1e-12);
    // Matched at its far end, so the delayed copy is the fall itself, and
    // each node the valley's own: the opto loop's compensator has nodes too.
    EXPECT_DOUBLE_EQ(ValueOf(n, "Rlate"), 1e3);
    EXPECT_EQ(ElementsAt(n, "fall"), (std::vector<std::string>{"Bfall", "Tvalley"}));
    EXPECT_EQ(ElementsAt(n, "late"), (std::vector<std::string>{"Tvalley", "Rlate"}));
    // The set needs both: it ends with the turn-on that clears arm, not a
    // delay later.
    EXPECT_NE(n.find("\nBset set 0 V=1-(1-V(fall)*V(late))*"), std::string::npos);
  }
}

// The demonstration's map point of `load` at one end of the input range,
// and its netlist with the ceiling at 130 kHz and bursts of `I_burst_A`.
struct MapPointRun {
  MapPoint at;
  SpiceRun run;
};

MapPointRun RunAtMapPoint(BusPoint point, double load, double I_burst_A) {
  const DesignState s = Demo();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const EfficiencyMap map = ComputeEfficiencyMap(s, budget);
  const MapRow& row = point == BusPoint::kLowest ? map.rows.front() : map.rows.back();
  const MapPoint* at = MapPointAt(row, load);
  if (at == nullptr) return {};
  const PartLoad part{load, at->stage, 130, I_burst_A};
  return {*at, SpiceRunOf(s, budget, std::nullopt, point, StartState::kWarm, &part)};
}

TEST(SpiceNetlist, APartLoadScalesEveryOutputAtTheMapsPoint) {
  const auto [half, run] = RunAtMapPoint(BusPoint::kLowest, 0.5, 0);
  ASSERT_EQ(half.load, 0.5);
  const std::string& n = run.netlist;
  // Every output at half its Imax, R = Uact/(Imax/2): 100.04/0.25,
  // 16.16/0.5, 8.53/0.5; the IC supply's 10 mA is the IC's own, 1646 Ohm.
  EXPECT_DOUBLE_EQ(ValueOf(n, "R1"), 400.16);
  EXPECT_DOUBLE_EQ(ValueOf(n, "R2"), 32.32);
  EXPECT_DOUBLE_EQ(ValueOf(n, "R3"), 17.06);
  EXPECT_DOUBLE_EQ(ValueOf(n, "Ric"), 1646);
  // The parts stay the full load's: C2 at 1 % ripple of 1 A at the design
  // point, 205.281 µF.
  EXPECT_NEAR(ValueOf(n, "C2"), 205.281e-6, 0.001e-6);
  // The bus √2·90 V, the warm start at the map's peak current, the run
  // counted in the map's periods.
  EXPECT_NE(n.find("\n.param Ubus=127.279\n"), std::string::npos);
  const std::size_t Ipk0 = n.find(" Ipk0=");
  ASSERT_NE(Ipk0, std::string::npos);
  const std::size_t from = Ipk0 + 6;
  EXPECT_NEAR(Value(n.substr(from, n.find('\n', from) - from)), half.stage.switching.I_pk_A,
              1e-5 * half.stage.switching.I_pk_A);
  EXPECT_NEAR(run.period_s, half.stage.switching.period_us * 1e-6, 1e-12);
  // The ceiling of 130 kHz: a valley counts after 1/130 kHz = 7.69231 µs
  // less the map's on time, Cce = that many pF at 1 uA to 1 V.
  EXPECT_NEAR(ValueOf(n, "Cce"), (7.69231 - half.stage.switching.t_on_us) * 1e-12, 1e-17);
  EXPECT_NE(n.find("*(0.5+0.5*tanh(100*(V(ce)-1))))"), std::string::npos);
  // At full load the netlist has neither.
  EXPECT_EQ(NetlistOf(Demo()).find("Cce"), std::string::npos);
}

// The figure after `key` ("v(o1)=", " Ipk0=") up to the next space or line end.
double FigureAfter(const std::string& netlist, const std::string& key) {
  const std::size_t at = netlist.find(key);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no " << key;
    return 0;
  }
  const std::size_t from = at + key.size();
  return Value(netlist.substr(from, netlist.find_first_of(" \n", from) - from));
}

TEST(SpiceNetlist, APartLoadStartsAtTheSettledFullLoadsShares) {
  const DesignState s = Demo();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const EfficiencyMap map = ComputeEfficiencyMap(s, budget);
  const MapPoint* half = MapPointAt(map.rows.front(), 0.5);
  ASSERT_NE(half, nullptr);
  // The full load at √2·90 V settled with output 1 at 93 % of its Uact
  // 100.04 V, output 2 at 93 % of 16.16 V, output 3 not told, and a peak
  // current of 0.9 of its warm start, the boundary-mode peak
  // 2·89.4 W·(1/127.279 V + 1/101.671 V) = 3.163403 A.
  OperatingPointFigures full;
  full.U_bus_V = 127.279;
  full.outputs = {{0, 16.46, 0, 0}, {1, 0.93 * 100.04, 0, 0}, {2, 0.93 * 16.16, 0, 0}};
  full.I_D_peak_A = 0.9 * 3.163403;
  full.settled = true;
  PartLoad part{0.5, half->stage, 130, 0, &full};
  const std::string n =
      SpiceRunOf(s, budget, std::nullopt, BusPoint::kLowest, StartState::kWarm, &part).netlist;
  EXPECT_NEAR(FigureAfter(n, " v(o1)="), 93.0372, 1e-4);
  EXPECT_NEAR(FigureAfter(n, " v(e1)="), 93.0372, 1e-4);
  EXPECT_NEAR(FigureAfter(n, " v(o2)="), 15.0288, 1e-4);
  EXPECT_NEAR(FigureAfter(n, " v(o3)="), 8.53, 1e-9);
  EXPECT_NEAR(FigureAfter(n, " v(ic)="), 16.46, 1e-9);
  const double I_pk_A = half->stage.switching.I_pk_A;
  EXPECT_NEAR(FigureAfter(n, " Ipk0="), 0.9 * I_pk_A, 1e-5 * I_pk_A);
  // A full load that did not settle tells nothing: the calculation's start.
  full.settled = false;
  const std::string calculated =
      SpiceRunOf(s, budget, std::nullopt, BusPoint::kLowest, StartState::kWarm, &part).netlist;
  EXPECT_NEAR(FigureAfter(calculated, " v(o1)="), 100.04, 1e-9);
  EXPECT_NEAR(FigureAfter(calculated, " Ipk0="), I_pk_A, 1e-5 * I_pk_A);
}

TEST(SpiceNetlist, ABurstingPartLoadIsCountedInTurnOnsAndSteppedInPulses) {
  const auto [quarter, run] = RunAtMapPoint(BusPoint::kHighest, 0.25, 1.38406);
  ASSERT_EQ(quarter.load, 0.25);
  ASSERT_LT(quarter.stage.switching.burst_duty, 1);
  // The map's pulses at 420 V come every 1/104.224 kHz = 9.59473 µs, but
  // only for the burst duty's 41.181 % of the time: a turn-on every
  // 9.59473/0.41181 = 23.299 µs on average. The settling rule counts
  // turn-ons, so the run is counted in those: 300 of them, 6989.7 µs.
  EXPECT_NEAR(run.period_s, 23.299e-6, 0.001e-6);
  EXPECT_NEAR(run.stop_s, 6989.7e-6, 0.1e-6);
  // The steps still resolve a pulse: at most 9.59473/200 = 0.0479737 µs.
  EXPECT_NE(run.netlist.find("\n.tran 50n 6989.72u 0 0.0479737u\n"), std::string::npos);
}

TEST(SpiceNetlist, OutputCapacitorsFromTheListOrOnePercentRipple) {
  DesignState s = Demo();
  s.component_list = std::vector<ComponentRow>{{.designator = "C41", .value = 100, .unit = "µF"}};
  const std::string n = NetlistOf(s);
  EXPECT_DOUBLE_EQ(ValueOf(n, "C1"), 100e-6);
  // Without a row: Imax·T/(0.01·Uact), T the period at the crest of the
  // lowest input voltage, 33.17341 µs (tests/losses): 1·33.17341/0.1616 =
  // 205.281 µF.
  EXPECT_NEAR(ValueOf(n, "C2"), 205.281e-6, 0.001e-6);
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
    const SpiceRun run =
        SpiceRunOf(s, ComputeLossBudget(s, nullptr), std::nullopt, BusPoint::kLowest);
    EXPECT_EQ(run.non_finite_line, "");
    // R = 8.53 V / 1 mA; without current the catalogue proposes the
    // 1N 4148 for it, fitted to its data sheet whatever the current.
    EXPECT_DOUBLE_EQ(ValueOf(run.netlist, "R3"), 8530);
    EXPECT_NE(run.netlist.find(".model DR3 D(IS=2.25665e-06 N=3.61376 "), std::string::npos);
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
  const SpiceRun run =
      SpiceRunOf(s, ComputeLossBudget(s, nullptr), std::nullopt, BusPoint::kLowest);
  EXPECT_EQ(run.non_finite_line, "Cic eic 0 infu ; 1 % ripple at the design point");
  EXPECT_EQ(SpiceRunOf(Demo(), ComputeLossBudget(Demo(), nullptr), std::nullopt, BusPoint::kLowest)
                .non_finite_line,
            "");
}

TEST(SpiceNetlist, ALeakageBeyondTheInductanceLeavesNoMagnetizingInductance) {
  // A leakage of 2.5 times L_prim: the primary's own share, 2.5·0.50497/1.18441
  // = 1.066, is more than its whole inductance; the first winding after the
  // primary, the IC supply's, has no self inductance to write.
  const DesignState s = Demo();
  LossBudget budget = ComputeLossBudget(s, nullptr);
  budget.leakage.share = 2.5;
  const SpiceRun run = SpiceRunOf(s, budget, std::nullopt, BusPoint::kLowest);
  EXPECT_EQ(run.non_finite_line.rfind("Lic 0 aux nanu", 0), 0U) << run.non_finite_line;
}

// The words of every .ic line, comments cut off.
std::vector<std::string> StartValues(const std::string& netlist) {
  std::istringstream lines(netlist);
  std::vector<std::string> values;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(".ic ", 0) != 0) continue;
    std::istringstream words(line.substr(4));
    for (std::string word; words >> word;) values.push_back(word);
  }
  return values;
}

TEST(SpiceNetlist, StartsWarmAtTheCalculatedStateOrColdWithEveryCapacitorEmpty) {
  // Warm: the outputs at Uact (output 1 100.04 V, the IC supply 16.46 V) on
  // node and capacitor, the drain at the bus, the compensator at the
  // boundary-mode peak. Cold: all of them empty, the clamp capacitor too
  // (clamp at the bus), the compensator at its lower clamp, 5 % of
  // I_D_max = 4.194 A: 0.2097 A.
  const DesignState s = Demo();
  const LossBudget budget = ComputeLossBudget(s, nullptr);
  const struct {
    StartState start;
    std::vector<std::string> values;
  } cases[] = {
      {StartState::kWarm,
       {"v(o1)=100.04", "v(e1)=100.04", "v(ic)=16.46", "v(eic)=16.46", "v(drain)={Ubus}",
        "v(comp)={Ipk0}", "v(z)={Ipk0}", "v(q)=0"}},
      {StartState::kCold,
       {"v(o1)=0", "v(e1)=0", "v(ic)=0", "v(eic)=0", "v(clamp)={Ubus}", "v(drain)={Ubus}",
        "v(q)=0"}},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> got =
        StartValues(SpiceRunOf(s, budget, std::nullopt, BusPoint::kLowest, c.start).netlist);
    for (const std::string& value : c.values) {
      EXPECT_NE(std::find(got.begin(), got.end(), value), got.end()) << value;
    }
  }
  const std::vector<std::string> cold = StartValues(
      SpiceRunOf(s, budget, std::nullopt, BusPoint::kLowest, StartState::kCold).netlist);
  const auto comp = std::find_if(cold.begin(), cold.end(), [](const std::string& word) {
    return word.rfind("v(comp)=", 0) == 0;
  });
  ASSERT_NE(comp, cold.end());
  EXPECT_NEAR(Value(comp->substr(8)), 0.2097, 0.0001);
}

// With opto regulation of output 1 at 100 V the loop is the component
// list's (as tests/loop reads it): R65 220 kΩ; R60 so that the reference
// sees the design's 2.5 V at Uact(1) 100.04 V, 220·2.5/97.54 = 5.63871 kΩ; R61
// 1 kΩ; R63 39 kΩ with C61 15 nF, C62 56 pF; the pin's C28 1.5 nF and the
// opto's 1.4 nF; CTR √(0.38·1.25) = 0.689202; the peak current per pin
// volt k_i = 4.194108 A/3 V = 1.398036 A/V. The shunt regulator after the
// TL431's device model at its 1 mA bias: G_M = 0.3 + 2.7·exp(−1/26) =
// 2.898128 S, its gain G_M·1 MΩ·1.25 µS·R61 = 3622.66, so the amplifier
// node's Rx = 3622.66/1 mS = 3.62266 MΩ; its pole 1/(2π·1 MΩ·20 pF) =
// 7957.75 Hz, so Cx = 1/(2π·7957.75 Hz·3.62266 MΩ) = 5.52081 pF; its
// cathode no higher than output 1, where the LED carries nothing. Regulated
// through the IC supply, the generic error amplifier stays and none of
// these is there.
TEST(SpiceNetlist, OptoRegulationHasTheListsLoop) {
  DesignState s = ThreeOutputDemo();
  s.inputs.opto_reg = true;
  s.inputs.U_opto = 100;
  const std::string n = NetlistOf(CalculatedWithComponents(s));
  const struct {
    const char* name;
    double value;
  } elements[] = {{"R65", 220e3},  {"R60", 5.63871e3}, {"R61", 1e3},
                  {"R63", 39e3},   {"C61", 15e-9},     {"C62", 56e-12},
                  {"Cfb", 2.9e-9}, {"Rx", 3.62266e6},  {"Cx", 5.52081e-12}};
  for (const auto& e : elements) {
    EXPECT_NEAR(ValueOf(n, e.name), e.value, e.value * 1e-5) << e.name;
  }
  const std::vector<std::string> opto = Element(n, "Fopto");
  ASSERT_EQ(opto.size(), 5U);
  EXPECT_NEAR(Value(opto[4]), 0.689202, 1e-6);
  EXPECT_NE(n.find("Bcomp comp 0 V=min(max(1.39804*V(fb),"), std::string::npos);
  EXPECT_NE(n.find("Bka ka 0 V=min(max(V(x),2.5),V(o1))\n"), std::string::npos);
  EXPECT_EQ(n.find("Bea "), std::string::npos);

  const std::string ic_regulated = NetlistOf(Demo());
  EXPECT_NE(ic_regulated.find("Bea "), std::string::npos);
  EXPECT_EQ(ic_regulated.find("R61 "), std::string::npos);
}

}  // namespace
}  // namespace flyback

#include "engine/simulation/spice_netlist.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "base/numbers/rounding.h"
#include "engine/components/output_rectifier.h"
#include "engine/loop/loop_design.h"
#include "engine/loop/power_stage_model.h"
#include "engine/losses/output_capacitor_esr.h"
#include "engine/losses/semiconductor_loss.h"
#include "engine/simulation/compensator_netlist.h"
#include "engine/simulation/netlist_text.h"
#include "engine/simulation/rectifier_models.h"
#include "engine/simulation/stage_nodes.h"
#include "engine/simulation/winding_leakage.h"
#include "engine/transformer/magnetics.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// A current limit a quarter above the design's worst-case peak; the lowest
// peak keeps the stage switching at light load.
constexpr double kCurrentLimitShare = 1.25;
constexpr double kLeastPeakShare = 0.05;
constexpr double kOutputRipple = 0.01;  // default output capacitor: ripple share of Uact
// Periods simulated at most (a run ends earlier once its outputs have
// settled, output_settling.h): of the clock at a fixed frequency, otherwise of the
// frequency the loss budget expects at the operating point, so that the
// highest bus, which switches faster, costs no more steps than the lowest.
constexpr double kSettlingPeriods = 300;
constexpr double kMeasuredPeriods = 30;  // the last periods the averages are taken over
// The load step's parts, in periods of the design point: the warm start
// settling at full load, then half load, then full load again. Long beside
// the loop's time constants at a crossover of some kHz; a loop far slower
// shows as not settled within its part.
constexpr double kLoadStepStartPeriods = 60;
constexpr double kLoadStepPartPeriods = 120;
constexpr double kLoadStepShare = 0.5;  // of each output's Imax, between the steps
// Ω, the series resistance of the IC supply's capacitor: a typical 100 kHz
// figure of a small low-impedance electrolytic. The loss budget counts no
// loss in it, and the dissipation-factor model the outputs take
// (output_capacitor_esr.h) gives tens of ohms for the few µF of the default
// capacitor, far above what such a part has at 100 kHz (docs/simulation.md).
constexpr double kIcCapacitorEsr_ohm = 0.1;
// Periods of the design point after which the controller turns the switch on
// without a demagnetization: the start, and a stage whose ringing stalls.
constexpr double kRestartPeriods = 2;

// A load current below which a winding is loaded by a bleeder: a spare or
// sense winding (Imax 0) still needs a load for its rectifier's operating
// point and a resistor of finite value.
constexpr double kBleederCurrent_A = 1e-3;

// µF, the capacitor `designator` ("C41") of the component list, if the list
// is made and holds it in µF.
std::optional<double> ListCapacitance_uF(const DesignState& s, const std::string& designator) {
  if (!s.component_list) return std::nullopt;
  for (const ComponentRow& row : *s.component_list) {
    if (row.designator == designator && row.value && row.unit == "µF") return *row.value;
  }
  return std::nullopt;
}

// One secondary winding with its rectifier, capacitor and load.
struct Rectified {
  int winding = 0;   // 0 the IC supply, 1 .. 6 output i
  std::string name;  // "ic", "1" .. "6": the suffix of its elements
  double turns = 0;
  double U_V = 0;            // V, calculated actual voltage
  double I_A = 0;            // A, full-load current
  double I_load_A = 0;       // A, the current of its load at the run's load
  double U_F_V = 0;          // V, rectifier forward drop
  double C_uF = 0;           // µF, output capacitor
  std::string C_from;        // where the capacitor comes from
  double ESR_ohm = 0;        // Ω, of the capacitor at 100 kHz (output_capacitor_esr.h)
  bool bled = false;         // loaded by the bleeder: its load current lies below kBleederCurrent_A
  double leakage_share = 0;  // of its self inductance, referred (SplitLeakage)
  double R_ohm = 0;          // Ω, AC resistance of the winding hot; 0 where not known
  std::string rectifier;     // designator: "D26", "D41", ...
  DiodeModel diode;
};

// The feedback through the opto-coupler with the component list's parts, as
// the loop's model reads them (docs/loop.md).
struct OptoFeedback {
  OptoCompensator parts;
  LoopAssumptions assumptions;
  double CTR = 0;                 // the loop's design value √(CTR_min·CTR_max)
  double U_ref_V = 0;             // V, the shunt regulator's reference
  double I_per_feedback_V_A = 0;  // A/V, the peak primary current per feedback-pin volt
};

// Everything the netlist is built of, worked out from the design once.
struct Stage {
  std::string core;
  bool fixed_frequency = false;
  double f_fix_kHz = 0;
  double U_bus_min_V = 0;  // √2·U_mains_min, the design point
  double U_bus_max_V = 0;
  double P_in_W = 0;
  double n_prim = 0;  // whole turns
  double L_prim_uH = 0;
  double leakage_share = 0;          // the loss budget's, of L_prim
  double primary_leakage_share = 0;  // the primary's own (SplitLeakage)
  double L_magnetizing_uH = 0;       // µH, L_prim less the primary's own leakage
  double R_prim_ohm = 0;             // Ω, AC resistance of the primary hot; 0 where not known
  double T_winding_C = 0;            // °C, of the windings' resistances
  double f_point_kHz = 0;            // kHz, the loss budget's switching frequency at the point
  // A part load of the efficiency map: the share of every output's Imax,
  // the bus it runs at, the map's peak current there (the warm start) and
  // the controller's valley-switching ceiling, reached after an off time of
  // its period less the map's on time. At full load share 1 and no ceiling.
  bool part_load = false;
  double load_share = 1;
  double U_bus_part_V = 0;
  double I_pk_part_A = 0;
  double f_ceiling_kHz = 0;
  double t_off_least_us = 0;  // µs, the off time the ceiling asks for
  double I_burst_A = 0;       // A, the least peak current where the map's point bursts; else 0
  double burst_duty = 1;      // the share of the time the map's point switches; 1 unless it bursts
  // The warm start from the settled full load at the same bus
  // (PartLoad::settled_full_load): each winding's share of its Uact, in
  // the order of `windings`, and the peak current's of I_pk_part_A; empty
  // and 1 where the start is the calculation's.
  std::vector<double> start_shares;
  double peak_start_share = 1;
  // The core loss as a resistor across the primary: the budget's loss P_core_W
  // at the point over the square average of the primary's voltage there,
  // U2_avg_V2; R_core_ohm 0 without a core.
  double P_core_W = 0;
  double U2_avg_V2 = 0;
  double R_core_ohm = 0;
  double R_on_ohm = 0;  // Ω, the data sheet's, at 25 °C
  std::string mosfet;
  double C_drain_pF = 0;
  double U_refl_V = 0;
  ClampNetwork clamp;        // the network of the component list
  double U_cl_V = 0;         // V, its voltage at the design point, the start value
  double f_design_kHz = 0;   // switching frequency of the design point
  double f_highest_kHz = 0;  // the loss budget's at the highest bus
  double I_D_max_A = 0;
  std::vector<Rectified> windings;  // the IC supply first, then the outputs
  std::string regulated;            // node held at its calculated voltage: "ic" or "o1"
  double U_reg_V = 0;
  // Where the design has an opto-coupler loop to model: its compensator
  // replaces the generic error amplifier.
  std::optional<OptoFeedback> opto;
};

// µF, default output capacitor: the charge of Imax over one period of the
// design point with a ripple of kOutputRipple of the output voltage.
double DefaultCapacitance_uF(double I_A, double U_V, double period_us) {
  return I_A * period_us / (kOutputRipple * U_V);
}

// The loss budget's figures of the operating point `point`.
const OperatingPointLosses& LossesAt(const LossBudget& budget, BusPoint point) {
  return point == BusPoint::kLowest ? budget.lowest_crest : budget.highest_input;
}

// V², the square average of the primary's voltage over the budget's period
// at `p`: the bus during t_on, the reflected voltage during t_off, 0 while
// the drain rings after the demagnetization.
double PrimaryVoltageSquareAverage(const SwitchingPoint& p, double U_refl_V) {
  return (p.U_bus_V * p.U_bus_V * p.t_on_us + U_refl_V * U_refl_V * p.t_off_us) / p.period_us;
}

// A, the full-load warm start's peak current at `U_bus_V` (the netlist's
// Ipk0 at full load): boundary operation's energy balance
// P_in = 1/2·I_pk·U_bus·U_refl/(U_bus + U_refl) solved for I_pk.
double BoundaryPeak_A(const Stage& st, double U_bus_V) {
  return 2 * st.P_in_W * (1 / U_bus_V + 1 / st.U_refl_V);
}

// The part load's warm start from the settled full-load run `full` at the
// same bus: each winding at its settled share of Uact, the peak current at
// the full load's settled peak over its own start.
void StartFromFullLoad(Stage& st, const OperatingPointFigures& full) {
  for (const Rectified& w : st.windings) {
    double share = 1;
    for (const SimulatedOutput& o : full.outputs) {
      if (o.winding == w.winding && o.U_avg_V > 0 && w.U_V > 0) share = o.U_avg_V / w.U_V;
    }
    st.start_shares.push_back(share);
  }
  st.peak_start_share = full.I_D_peak_A / BoundaryPeak_A(st, full.U_bus_V);
}

Stage StageOf(const DesignState& s, const LossBudget& budget, const LoopDesign* loop,
              BusPoint point, const PartLoad* part_load) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  Stage st;
  st.core = in.tr_name;
  st.fixed_frequency = in.fixed_freq;
  st.f_fix_kHz = in.f_fix_min;
  st.U_bus_min_V = std::numbers::sqrt2 * in.U_mains_min;
  st.U_bus_max_V = t.U_bus_max;
  st.P_in_W = in.P_in_max;
  st.n_prim = RoundTo(t.n_prim, 0);
  st.L_prim_uH = PrimaryInductance(in.AL, st.n_prim);
  st.leakage_share = budget.leakage.share;
  const WindingLeakageShares leakage = SplitLeakage(budget.leakage, in.n_sec);
  st.primary_leakage_share = leakage.primary;
  st.L_magnetizing_uH = (1 - leakage.primary) * st.L_prim_uH;
  // The budget's copper at the point: the primary first, then output i,
  // where a core is known.
  const OperatingPointLosses& at = part_load ? part_load->losses : LossesAt(budget, point);
  const std::vector<WindingLossTerm>& copper = at.windings;
  const auto resistance_of = [&copper](std::size_t term) {
    return term < copper.size() ? copper[term].R_ac_ohm : 0.0;
  };
  st.R_prim_ohm = resistance_of(0);
  st.T_winding_C = budget.assumptions.T_winding_C;
  st.mosfet = s.components.mosfet;
  st.R_on_ohm = s.components.R_DSon;
  st.C_drain_pF = budget.assumptions.C_oss_pF + budget.assumptions.C_drain_extra_pF;
  st.U_refl_V = ReflectedVoltage(t.n_prim, t.U_ts);
  st.f_point_kHz = 1000 / at.switching.period_us;
  if (part_load) {
    st.part_load = true;
    st.load_share = part_load->share;
    st.U_bus_part_V = at.switching.U_bus_V;
    st.I_pk_part_A = at.switching.I_pk_A;
    st.f_ceiling_kHz = part_load->f_ceiling_kHz;
    st.t_off_least_us = 1000 / st.f_ceiling_kHz - at.switching.t_on_us;
    if (at.switching.burst_duty < 1) {
      st.I_burst_A = part_load->I_burst_A;
      st.burst_duty = at.switching.burst_duty;
    }
  }
  if (at.core_W) {
    st.P_core_W = *at.core_W;
    st.U2_avg_V2 = PrimaryVoltageSquareAverage(at.switching, st.U_refl_V);
    st.R_core_ohm = st.P_core_W > 0 ? st.U2_avg_V2 / st.P_core_W : 0;
  }
  st.clamp = budget.clamp;
  st.U_cl_V = budget.lowest_crest.clamp.U_clamp_V;
  const double period_us = budget.lowest_crest.switching.period_us;
  st.f_design_kHz = 1000 / period_us;
  st.f_highest_kHz = 1000 / budget.highest_input.switching.period_us;
  st.I_D_max_A = in.fixed_freq ? t.I_D_max_fix : t.I_D_max;

  const double U_ic = IcSupplyVoltage(in, t);
  const double I_ic = budget.assumptions.I_ic_A;
  const std::optional<double> C_ic = ListCapacitance_uF(s, "C26");
  // D26 of the component list is always the small-signal diode.
  const double C_ic_uF = C_ic.value_or(DefaultCapacitance_uF(I_ic, U_ic, period_us));
  st.windings.push_back({0, "ic", t.nic, U_ic, I_ic, I_ic, in.U_F_ic, C_ic_uF,
                         C_ic ? "C26 of the component list" : "1 % ripple at the design point",
                         kIcCapacitorEsr_ohm, false, leakage.ic, 0, "D26",
                         RectifierModel("1N4148", in.U_F_ic, I_ic)});
  for (int i = 1; i <= in.n_sec; ++i) {
    const std::string designator = "C4" + std::to_string(i);
    const double U = OutputVoltage(in, t, i);
    const double I_max = in.output(i).Imax;
    const bool bled = !(I_max * st.load_share >= kBleederCurrent_A);
    // The capacitor and the rectifier's fit are the full load's parts.
    const double I = I_max >= kBleederCurrent_A ? I_max : kBleederCurrent_A;
    const double I_load = bled ? kBleederCurrent_A : I_max * st.load_share;
    const std::optional<double> C = ListCapacitance_uF(s, designator);
    const std::size_t index = static_cast<std::size_t>(i);
    st.windings.push_back(
        {i, std::to_string(i), t.n_out(i), U, I, I_load, in.U_F_sec,
         C.value_or(DefaultCapacitance_uF(I, U, period_us)),
         C ? designator + " of the component list" : "1 % ripple at the design point",
         OutputCapacitorEsr_ohm(in.output(i)), bled, leakage.outputs[index - 1],
         resistance_of(index), "D4" + std::to_string(i),
         RectifierModel(OutputRectifierOf(s, i).part, in.U_F_sec, I)});
  }
  st.regulated = in.opto_reg ? "o1" : "ic";
  st.U_reg_V = in.opto_reg ? st.windings[1].U_V : U_ic;
  if (loop != nullptr) {
    OptoFeedback opto;
    opto.parts = loop->listed;
    opto.assumptions = loop->assumptions;
    opto.CTR = loop->design_CTR;
    opto.U_ref_V = loop->U_ref_V;
    opto.I_per_feedback_V_A = CurrentPerFeedbackVolt(budget.worst_case.I_D_max_A, opto.assumptions);
    st.opto = opto;
  }
  if (part_load != nullptr && part_load->settled_full_load != nullptr &&
      part_load->settled_full_load->settled) {
    StartFromFullLoad(st, *part_load->settled_full_load);
  }
  return st;
}

// The resistance R_ohm (Ω) of a winding as the resistor `name` between
// `from` and `to`, traced to the loss budget of the stage `st`.
void AppendWindingResistance(NetlistText& n, const std::string& name, const std::string& from,
                             const std::string& to, double R_ohm, const Stage& st) {
  n += "* winding resistance at " + n.Num(st.T_winding_C) + " C and " + n.Num(st.f_point_kHz) +
       " kHz: the loss budget's copper loss\n";
  n += "* over its rms current, rho*N*MLT/A times Dowell's factor of the current's harmonics\n";
  n += name + " " + from + " " + to + " " + n.Num(R_ohm) + "\n";
}

// The head of a part load: its bus, and the map's peak current as the start.
void AppendPartLoadHead(NetlistText& n, const Stage& st) {
  n += "* A part load of the efficiency map: every output at " + n.Num(100 * st.load_share) +
       " % of its Imax,\n";
  n += "* the bus at the map's " + n.Num(st.U_bus_part_V) +
       " V. The windings' AC resistances and the core-loss\n";
  n += "* resistor are sized at the map's operating point there, " + n.Num(st.f_point_kHz) +
       " kHz.\n";
  n += ".param Ubus_min=" + n.Num(st.U_bus_min_V) + " Ubus_max=" + n.Num(st.U_bus_max_V) + "\n";
  n += ".param Ubus=" + n.Num(st.U_bus_part_V) + "\n";
  if (st.start_shares.empty()) {
    n += "* Start value of the peak current: the map's at this load, U_refl = n_prim*U_ts\n";
  } else {
    n += "* Start value of the peak current: the map's at this load, " + n.Num(st.I_pk_part_A) +
         " A, times " + n.Num(st.peak_start_share) + ",\n";
    n += "* the settled full load's peak over its start; U_refl = n_prim*U_ts\n";
  }
  n += ".param Urefl=" + n.Num(st.U_refl_V) +
       " Ipk0=" + n.Num(st.peak_start_share * st.I_pk_part_A) + "\n";
}

void AppendHead(NetlistText& n, const Stage& st, BusPoint point) {
  n += "* flyback: the designed stage on \"" + st.core + "\" as an ngspice netlist\n";
  n += "* Run it with: ngspice -b FILE.cir\n";
  n += "* It prints the output voltages averaged over the last periods, the peak\n";
  n += "* drain current and voltage, and the switching frequency.\n";
  if (st.part_load) {
    AppendPartLoadHead(n, st);
    return;
  }
  if (point == BusPoint::kLowest) {
    n += "* The bus is the lowest bus voltage, sqrt2*U_mains_min, the design point.\n";
    n += "* For the highest bus voltage write .param Ubus={Ubus_max} below.\n";
  } else {
    n += "* The bus is the highest bus voltage U_bus_max.\n";
    n += "* For the design point write .param Ubus={Ubus_min} below.\n";
  }
  n += "* The windings' AC resistances and the core-loss resistor are sized at this\n";
  n += "* bus voltage's operating point of the loss budget.\n";
  n += ".param Ubus_min=" + n.Num(st.U_bus_min_V) + " Ubus_max=" + n.Num(st.U_bus_max_V) + "\n";
  n += point == BusPoint::kLowest ? ".param Ubus={Ubus_min}\n" : ".param Ubus={Ubus_max}\n";
  n += "* Start value of the peak current from the energy balance of boundary\n";
  n += "* operation, P_in = 1/2*I_pk*Ubus*U_refl/(Ubus+U_refl), P_in = " + n.Num(st.P_in_W) +
       " W,\n";
  n += "* U_refl = n_prim*U_ts = " + n.Num(st.U_refl_V) + " V\n";
  n += ".param Urefl=" + n.Num(st.U_refl_V) + " Ipk0={2*" + n.Num(st.P_in_W) +
       "*(1/Ubus+1/Urefl)}\n";
}

void AppendPrimary(NetlistText& n, const Stage& st) {
  n += "\n* DC bus and primary; Vsense (0 V) measures the primary current\n";
  n += "Vbus bus 0 {Ubus}\n";
  if (st.R_prim_ohm > 0) {
    n += "Vsense bus pw 0\n";
    AppendWindingResistance(n, "Rwp", "pw", "p", st.R_prim_ohm, st);
  } else {
    n += "Vsense bus p 0\n";
  }
  n += "* L_prim = 0.001*AL*n_prim^2 of the whole turns, n_prim = " + n.Num(st.n_prim) + "\n";
  n += "Lp p drain " + n.Num(st.L_prim_uH) + "u\n";
  if (st.R_core_ohm > 0) {
    n += "* core loss: a resistor across the primary dissipating the loss budget's\n";
    n += "* core loss " + n.Num(st.P_core_W) + " W at this point, where the primary's voltage\n";
    n += "* (Ubus in t_on, U_refl in t_off) has the square average " + n.Num(st.U2_avg_V2) +
         " V^2\n";
    n += "Rcore p drain " + n.Num(st.R_core_ohm) + "\n";
  }
  const double R_on_hot_ohm = kHotOnResistanceFactor * st.R_on_ohm;
  n += "* MOSFET " + st.mosfet + ": a switch driven by the latch q, RON = R_DSon at 100 C:\n";
  n += "* " + n.Num(kHotOnResistanceFactor) + " x " + n.Num(st.R_on_ohm) +
       " Ohm (the data sheet's 25 C figure times the loss budget's hot factor)\n";
  n += "S1 drain 0 q 0 SMOS\n";
  n += ".model SMOS SW(VT=" + n.Num((kGateOn_V + kGateOff_V) / 2) +
       " VH=" + n.Num((kGateOn_V - kGateOff_V) / 2) + " RON=" + n.Num(R_on_hot_ohm) +
       " ROFF=10Meg)\n";
  n += "* drain capacitance: the MOSFET's assumed C_oss and C09 of the component list\n";
  n += "Cd drain 0 " + n.Num(st.C_drain_pF) + "p\n";
  n += "Dc drain clamp DCLAMP\n";
  const ClampNetwork& clamp = st.clamp;
  n += "* " + clamp.name + " of the component list: " + clamp.diode + ", " + clamp.capacitor +
       ", " + clamp.resistor + "\n";
  n += "Rc clamp bus " + n.Num(clamp.R_ohm) + "\n";
  n += "Cc clamp bus " + n.Num(clamp.C_nF) + "n\n";
  if (clamp.held_U_refl_factor > 0) {
    const std::string U_pump = n.Num(clamp.held_U_refl_factor * st.U_refl_V);
    n += "* The charge pump C08, L08, D08 of PFC holds the drain where the calculation\n";
    n += "* assumes it, U_bus + k_os*U_refl, as an ideal clamp beside the network,\n";
    n += "* and returns what it takes to the bus without loss (Bret)\n";
    n += "Dp drain pump DCLAMP\n";
    n += "Vcl pump bus " + U_pump + "\n";
    n += "Bret 0 bus I=" + U_pump + "*i(Vcl)/{Ubus}\n";
  }
  n += ".model DCLAMP D(IS=1e-12 RS=50m TT=50n CJO=20p BV=1000)\n";
}

// µH, self inductance of a winding of turns ratio `ratio` to the primary and
// leakage share `share` about the magnetizing inductance L_m_uH (µH):
// L_m·ratio²/(1 − share). Not a number where the leakage leaves no
// magnetizing inductance (a share of 1 or more, on a core of very low AL),
// so that the netlist names the line and is not run.
double SelfInductance_uH(double L_m_uH, double ratio, double share) {
  if (!(L_m_uH > 0 && share < 1)) return std::numeric_limits<double>::quiet_NaN();
  return L_m_uH * ratio * ratio / (1 - share);
}

void AppendTransformer(NetlistText& n, const Stage& st) {
  n += "\n* Transformer: one magnetizing inductance L_m = L_prim*(1 - s_p) = " +
       n.Num(st.L_magnetizing_uH) + "u,\n";
  n += "* and each winding its own leakage share s_i of its self inductance,\n";
  n += "* L_i = L_m*(n_i/n_prim)^2/(1 - s_i), coupled by k = sqrt((1 - s_a)*(1 - s_b)).\n";
  n += "* The loss budget's leakage " + n.Num(100 * st.leakage_share) +
       " % of L_prim split by the winding's field\n";
  n += "* (docs/simulation.md): the primary's s_p = " + n.Num(st.primary_leakage_share) + "\n";
  std::vector<std::string> inductors = {"Lp"};
  std::vector<double> shares = {st.primary_leakage_share};
  for (const Rectified& w : st.windings) {
    const double ratio = w.turns / st.n_prim;
    const std::string node = WindingNode(w.winding);
    const std::string end = w.R_ohm > 0 ? "w" + node : node;
    n += WindingInductor(w.winding) + " 0 " + end + " " +
         n.Num(SelfInductance_uH(st.L_magnetizing_uH, ratio, w.leakage_share)) + "u ; " +
         n.Num(w.turns) + " turns, s = " + n.Num(w.leakage_share) + "\n";
    if (w.R_ohm > 0) AppendWindingResistance(n, "Rw" + w.name, end, node, w.R_ohm, st);
    inductors.push_back(WindingInductor(w.winding));
    shares.push_back(w.leakage_share);
  }
  int k_count = 0;
  for (std::size_t a = 0; a < inductors.size(); ++a) {
    for (std::size_t b = a + 1; b < inductors.size(); ++b) {
      n += "K" + std::to_string(++k_count) + " " + inductors[a] + " " + inductors[b] + " " +
           n.Num(std::sqrt((1 - shares[a]) * (1 - shares[b]))) + "\n";
    }
  }
}

// The rectifier of `w` as the diode model `model`, with the figures' source.
void AppendDiodeModel(NetlistText& n, const std::string& model, const Rectified& w) {
  const DiodeModel& d = w.diode;
  if (!d.fitted) {
    const std::string part = d.part.empty() ? "(no proposal)" : d.part;
    n += "* " + w.rectifier + " " + part + ": " + d.source + "; it drops U_F = " + n.Num(w.U_F_V) +
         " V at " + n.Num(w.I_A) + " A\n";
    n += ".model " + model + " D(IS=" + n.Num(d.IS_A) + " N=" + n.Num(d.N) + ")\n";
    return;
  }
  n += "* " + w.rectifier + " " + d.part + ": " + d.source + "\n";
  n += "* IS, N through the two forward points, RS = 0; TT = trr/ln(1 + IF/IR)\n";
  n += ".model " + model + " D(IS=" + n.Num(d.IS_A) + " N=" + n.Num(d.N) +
       " RS=" + n.Num(d.RS_ohm) + " CJO=" + n.Num(d.CJO_pF) + "p TT=" + n.Num(d.TT_ns) + "n)\n";
}

// ", loaded with 25 % of it: 0.5 A" at a part load; empty at full load.
std::string LoadText(NetlistText& n, const Stage& st, const Rectified& w) {
  if (st.load_share == 1) return {};
  return ", loaded with " + n.Num(100 * st.load_share) + " % of it: " + n.Num(w.I_load_A) + " A";
}

void AppendRectifiers(NetlistText& n, const Stage& st) {
  n += "\n* Rectifiers (the listed parts), capacitors with their series resistance,\n";
  n += "* and loads R = U/I at the calculated voltages\n";
  for (const Rectified& w : st.windings) {
    const std::string model = "DR" + w.name;
    const bool ic = w.name == "ic";
    n += ic ? "* IC supply: " + n.Num(w.U_V) + " V, its supply current " + n.Num(w.I_A) + " A\n"
         : w.bled
             ? "* output " + w.name + ": Uact = " + n.Num(w.U_V) +
                   " V, its load below the bleeder's " + n.Num(w.I_load_A) + " A, which loads it\n"
             : "* output " + w.name + ": Uact = " + n.Num(w.U_V) + " V, Imax = " + n.Num(w.I_A) +
                   " A" + LoadText(n, st, w) + "\n";
    n += "D" + w.name + " " + WindingNode(w.winding) + " " + OutputNode(w.winding) + " " + model +
         "\n";
    AppendDiodeModel(n, model, w);
    n += "* ESR " + n.Num(w.ESR_ohm) +
         " Ohm at 100 kHz: the loss budget's, from a low-impedance electrolytic series'\n"
         "* largest tan(delta) at 120 Hz, halved\n";
    n += "Resr" + w.name + " " + OutputNode(w.winding) + " e" + w.name + " " + n.Num(w.ESR_ohm) +
         "\n";
    n += "C" + w.name + " e" + w.name + " 0 " + n.Num(w.C_uF) + "u ; " + w.C_from + "\n";
    n += "R" + w.name + " " + OutputNode(w.winding) + " 0 " + n.Num(w.U_V / w.I_load_A) + "\n";
  }
}

// The generic error amplifier of a design without a modelled opto loop: a
// transconductance holding the regulated node, its output comp the peak
// primary current in A (1 V = 1 A), clamped.
void AppendErrorAmplifier(NetlistText& n, const Stage& st) {
  n += "\n* Controller. Error amplifier: a transconductance holding " + st.regulated + " at " +
       n.Num(st.U_reg_V) + " V;\n";
  n += "* its output comp is the peak primary current in A (1 V = 1 A)\n";
  n += "Bea 0 comp I=" + n.Num(st.I_D_max_A * 1e-3) + "*(1-V(" + st.regulated + ")/" +
       n.Num(st.U_reg_V) + ")\n";
  n += "Rz comp z 10k\nCz z 0 100n\nCp comp 0 1n\n";
  n += "* anti-windup: comp between " + n.Num(100 * kLeastPeakShare) + " % and " +
       n.Num(100 * kCurrentLimitShare) + " % of the design's peak current " + n.Num(st.I_D_max_A) +
       " A\n";
  n += "Vlo lo 0 " + n.Num(kLeastPeakShare * st.I_D_max_A) + "\nDlo lo comp DCL\n";
  n += "Vhi hi 0 " + n.Num(kCurrentLimitShare * st.I_D_max_A) + "\nDhi comp hi DCL\n";
}

// The shunt regulator's cathode voltage with the loop at rest at the peak
// current Ipk0 (an expression of the netlist's parameters): the feedback
// pin where it asks for Ipk0, the LED's current what pulls it there through
// the CTR, and the cathode what lets that current flow through R61.
std::string RestingCathode(NetlistText& n, const Stage& st, const OptoFeedback& f) {
  const LoopAssumptions& a = f.assumptions;
  const std::string I_LED = "((" + n.Num(a.U_pullup_V) + "-Ipk0/" + n.Num(f.I_per_feedback_V_A) +
                            ")/" + n.Num(a.R_pullup_kOhm * 1e3) + "/" + n.Num(f.CTR) + ")";
  return "{" + n.Num(st.U_reg_V - a.U_F_LED_V) + "-" + I_LED + "*" +
         n.Num(f.parts.R_LED_kOhm * 1e3) + "}";
}

// The loop as built: the component list's compensator (compensator_netlist.h)
// with the opto at the loop's design CTR, and the feedback pin's voltage
// setting the peak current as the loop model reads the controller
// (I_pk = k_i*V_FB), clamped as the error amplifier is.
void AppendOptoFeedback(NetlistText& n, const Stage& st, const OptoFeedback& f) {
  n += "\n* Controller with the opto-coupler loop of the component list (docs/loop.md).\n";
  const CompensatorCircuit circuit{
      f.parts,       f.assumptions,           f.CTR, f.U_ref_V, st.U_reg_V,
      OutputNode(1), RestingCathode(n, st, f)};
  AppendCompensator(n, circuit, CompensatorModel::kSwitching);
  n += "* peak primary current comp (1 V = 1 A): " + n.Num(f.I_per_feedback_V_A) +
       " A per feedback volt, between " + n.Num(100 * kLeastPeakShare) + " % and " +
       n.Num(100 * kCurrentLimitShare) + " % of " + n.Num(st.I_D_max_A) + " A\n";
  n += "Bcomp comp 0 V=min(max(" + n.Num(f.I_per_feedback_V_A) + "*V(fb)," +
       n.Num(kLeastPeakShare * st.I_D_max_A) + ")," + n.Num(kCurrentLimitShare * st.I_D_max_A) +
       ")\n";
}

// The frequency ceiling of valley switching at a part load: a timer like the
// restart timer that lets a valley turn the switch on only after the off
// time the ceiling asks for at the map's on time (the turn-on then waits for
// a later valley: valley skipping). The factor it adds to the valley's set
// condition; empty at full load, which switches below the ceiling.
bool HasCeiling(const Stage& st) {
  return st.part_load && st.t_off_least_us > 0;
}

std::string CeilingFactor(NetlistText& n, const Stage& st) {
  if (!HasCeiling(st)) return {};
  n += "* frequency ceiling " + n.Num(st.f_ceiling_kHz) + " kHz: a valley turns on only after " +
       n.Num(st.t_off_least_us) + " us off,\n";
  n += "* the ceiling's period less the map's on time; 1 uA charges Cce to 1 V in that time\n";
  n += "Bce 0 ce I=1u-1m*(0.5+0.5*tanh(100*(V(q)-0.9)))*V(ce)\n";
  n += "Cce ce 0 " + n.Num(st.t_off_least_us) + "p\n";
  return "*(0.5+0.5*tanh(100*(V(ce)-1)))";
}

// ns, a quarter of the drain's ringing once the secondaries stop conducting:
// the whole primary inductance with the drain capacitance, the loss budget's
// C_oss and C09; π/2·√(L_prim·C_drain) in ns from µH and pF.
double QuarterRinging_ns(const Stage& st) {
  return std::numbers::pi / 2 * std::sqrt(st.L_prim_uH * st.C_drain_pF);
}

// The valley the loss budget turns on in: the armed fall of the IC-supply
// winding through 0 (fall) is a quarter of the ringing before it. A matched
// lossless line delays it by that quarter (late), and ngspice steps to the
// delayed edge as to a breakpoint. The valley is where both are 1: the set
// then ends with the turn-on, which clears arm, rather than a delay later
// (an on time shorter than the delay would otherwise turn on again), and a
// winding that rises before the delay is out sets nothing. The set
// condition it returns.
std::string ValleyCondition(NetlistText& n, const Stage& st) {
  n += "* the valley: fall, the armed fall through 0, and late, fall a quarter of the\n";
  n += "* ringing pi/2*sqrt(L_prim*C_drain) later through a matched lossless line, both 1\n";
  n += "Bfall fall 0 V=V(arm)*(0.5+0.5*tanh(10*(0.1-V(aux))))\n";
  n += "Tvalley fall 0 late 0 Z0=1k TD=" + n.Num(QuarterRinging_ns(st)) + "n\n";
  n += "Rlate late 0 1k\n";
  return "V(fall)*V(late)";
}

void AppendController(NetlistText& n, const Stage& st) {
  if (st.opto) {
    AppendOptoFeedback(n, st, *st.opto);
  } else {
    AppendErrorAmplifier(n, st);
  }
  n += ".model DCL D(IS=1e-12 N=0.05)\n";
  n += "* reset: the primary current reaches the peak comp\n";
  // Bursting, a pulse carries at least the least peak current, and the
  // controller does not turn on while the loop asks for less: the loop
  // itself makes the bursts.
  const bool burst = st.I_burst_A > 0 && !st.fixed_frequency;
  if (burst) {
    n += "* bursts: a pulse of at least " + n.Num(st.I_burst_A) +
         " A, none while comp asks for less\n";
  }
  const std::string peak = burst ? "max(V(comp)," + n.Num(st.I_burst_A) + ")" : "V(comp)";
  n += "Brst rst 0 V=0.5+0.5*tanh(100*(I(Vsense)-" + peak + "))\n";
  if (st.fixed_frequency) {
    n += "* set: a clock at f_fix_min = " + n.Num(st.f_fix_kHz) + " kHz (current-mode PWM)\n";
    n += "Vclk set 0 PULSE(0 1 0 10n 10n 200n " + n.Num(1000 / st.f_fix_kHz) + "u)\n";
  } else {
    n += "* set (quasi-resonant): in the valley after a demagnetization;\n";
    n += "* arm remembers that the IC-supply winding went positive since\n";
    n += "* the last turn-on, so the turn-on itself cannot set the latch again\n";
    n += "Barm 0 arm I=1m*((0.5+0.5*tanh(2*(V(aux)-" + n.Num(st.windings[0].U_V / 2) +
         ")))*(1-V(arm))-(0.5+0.5*tanh(100*(V(q)-0.9)))*V(arm))\n";
    n += "Carm arm 0 10p\nRarm arm 0 1G\n";
    n += "* restart timer: turns on after " + n.Num(kRestartPeriods) +
         " design periods off (the start, and a stalled\n";
    n += "* demagnetization); 1 uA charges Ctm to 1 V in that time\n";
    n += "Btm 0 tm I=1u-1m*(0.5+0.5*tanh(100*(V(q)-0.9)))*V(tm)\n";
    n += "Ctm tm 0 " + n.Num(kRestartPeriods * 1e3 / st.f_design_kHz) + "p\n";
    const std::string valley = ValleyCondition(n, st);
    const std::string valley_or_restart =
        "1-(1-" + valley + CeilingFactor(n, st) + ")*(0.5-0.5*tanh(100*(V(tm)-1)))";
    n += "Bset set 0 V=" +
         (burst ? "(0.5+0.5*tanh(100*(V(comp)-" + n.Num(st.I_burst_A) + ")))*(" +
                      valley_or_restart + ")"
                : valley_or_restart) +
         "\n";
  }
  n += "* the latch q (0 off, 1 on), reset dominant\n";
  n += "Bq 0 q I=1m*(V(set)*(1-V(rst))*(1-V(q))-V(rst)*V(q))\n";
  n += "Cq q 0 10p\nRq q 0 1G\n";
}

// The load step: beside each output's full load a current source that
// returns the share 1 - kLoadStepShare of its load current to the output
// while the step source is 1, so that the load is kLoadStepShare of Imax
// then; a ramp of 1 µs.
void AppendLoadStep(NetlistText& n, const Stage& st, const LoadStepTimes& t) {
  const std::string down = n.Num(t.down_s * 1e6);
  const std::string up = n.Num(t.up_s * 1e6);
  n += "\n* Load step: every output to " + n.Num(100 * kLoadStepShare) + " % of Imax at " + down +
       " us, back to 100 % at " + up + " us\n";
  n += "Vstep step 0 PWL(0 0 " + down + "u 0 " + n.Num(t.down_s * 1e6 + 1) + "u 1 " + up + "u 1 " +
       n.Num(t.up_s * 1e6 + 1) + "u 0)\n";
  for (const Rectified& w : st.windings) {
    if (w.winding == 0 || w.bled) continue;
    n += "Bstep" + w.name + " 0 " + OutputNode(w.winding) +
         " I=" + n.Num((1 - kLoadStepShare) * w.I_A / w.U_V) + "*V(" + OutputNode(w.winding) +
         ")*V(step)\n";
  }
}

// µs, the period of the pulses at `point`: the clock's, or the loss
// budget's (the map's) boundary-mode or valley-skipping period.
double PulsePeriod_us(const Stage& st, BusPoint point) {
  if (st.fixed_frequency) return 1000 / st.f_fix_kHz;
  if (st.part_load) return 1000 / st.f_point_kHz;
  return 1000 / (point == BusPoint::kLowest ? st.f_design_kHz : st.f_highest_kHz);
}

// µs, the period the analysis counts in at `point`: the mean time from one
// turn-on to the next, which is what the settling rule counts. Bursting, the
// pulses come at their own period only for the burst duty's share of the
// time, so the mean is the pulse period over the duty.
double AnalysisPeriod_us(const Stage& st, BusPoint point) {
  return PulsePeriod_us(st, point) / st.burst_duty;
}

// The controller's part of the .ic: warm, the loop at rest with the peak
// current at Ipk0; cold, the peak current at its lower clamp.
std::string ControllerStart(NetlistText& n, const Stage& st, bool warm) {
  if (!st.opto) {
    const std::string comp = warm ? "{Ipk0}" : n.Num(kLeastPeakShare * st.I_D_max_A);
    return " v(comp)=" + comp + " v(z)=" + comp;
  }
  const OptoFeedback& f = *st.opto;
  const LoopAssumptions& a = f.assumptions;
  const std::string fb = std::string(" v(") + kFeedbackPinNode + ")=";
  const std::string ref = std::string(" v(") + kShuntReferenceNode + ")=";
  const std::string zc = std::string(" v(") + kCompensationZeroNode + ")=";
  const std::string x = std::string(" v(") + kShuntAmplifierNode + ")=";
  if (!warm) return fb + n.Num(a.U_CE_sat_V) + ref + "0" + zc + "0" + x + "0";
  // At rest no current flows in R63 and the reference sits at its value.
  const std::string U_ka = RestingCathode(n, st, f);
  return fb + "{Ipk0/" + n.Num(f.I_per_feedback_V_A) + "}" + ref + n.Num(f.U_ref_V) + zc + U_ka +
         x + U_ka;
}

// The .ic of `start`: warm, the calculation's state at the start of a
// period; cold, every capacitor empty and the compensator at its lower clamp.
void AppendStart(NetlistText& n, const Stage& st, StartState start) {
  const bool warm = start == StartState::kWarm;
  if (warm) {
    n += "\n* Warm start: the state the calculation gives at the start of a period,\n";
    n += "* so that the run settles within a few dozen periods rather than hundreds.\n";
    n += "* Each output and the IC supply, its capacitor and node, at its calculated\n";
    n += "* voltage Uact (no load current flows through the ESR before the first pulse)\n";
  } else {
    n += "\n* Cold start: every capacitor empty (the outputs, the IC supply, the clamp\n";
    n += "* capacitor, the drain at the bus), the compensator at its lower clamp\n";
  }
  if (warm && !st.start_shares.empty()) {
    n += "* times its share settled at full load on this bus (its average over Uact)\n";
  }
  n += ".ic";
  for (std::size_t i = 0; i < st.windings.size(); ++i) {
    const Rectified& w = st.windings[i];
    const double share = st.start_shares.empty() ? 1 : st.start_shares[i];
    const std::string U = warm ? n.Num(share * w.U_V) : "0";
    n += " v(" + OutputNode(w.winding) + ")=" + U;
    n += " v(e" + w.name + ")=" + U;
  }
  if (warm) {
    n += "\n* The clamp capacitor at the loss budget's clamp voltage over the bus; the\n";
    n += "* drain capacitance at the bus: the switch off and every winding current 0,\n";
    n += "* as at the start of a boundary-mode period (the currents' start, which is\n";
    n += st.opto ? "* exact there); the loop at rest at the boundary-mode peak Ipk0 it settles\n"
                   "* near: the feedback pin at Ipk0's voltage, the reference at its value,\n"
                   "* C61 and the regulator's amplifier at the cathode that lets the LED carry\n"
                   "* the current the opto needs there; the latch off"
                 : "* exact there); the compensator's capacitors (Cp at comp, Cz at z, equal\n"
                   "* with no current in Rz) at the boundary-mode peak Ipk0 the loop settles\n"
                   "* near; the latch off";
    n += st.fixed_frequency ? "\n" : ", its arming and restart timer empty\n";
  } else {
    n += "\n";
  }
  n += ".ic v(clamp)={Ubus" + (warm ? "+" + n.Num(st.U_cl_V) : std::string()) +
       "} v(drain)={Ubus}" + ControllerStart(n, st, warm) + " v(q)=0";
  if (!st.fixed_frequency) n += " v(arm)=0 v(tm)=0";
  if (!st.fixed_frequency && HasCeiling(st)) n += " v(ce)=0";
  n += "\n";
}

void AppendAnalysis(NetlistText& n, const Stage& st, BusPoint point, StartState start) {
  const double period_us = AnalysisPeriod_us(st, point);
  const double stop_us = kSettlingPeriods * period_us;
  const double from_us = stop_us - kMeasuredPeriods * period_us;
  // The largest step resolves a pulse, so it is bound by the pulses' own
  // period even where bursts space the turn-ons further apart.
  const double pulse_us = PulsePeriod_us(st, point);
  const double step_us = pulse_us / 200;
  AppendStart(n, st, start);
  n += "\n* trtol 20 (ngspice's default 7): the rectifiers' recovery (TT) trebled the run\n";
  n += "* time at 7; the settled outputs move by 0.2 %, less than their ripple\n";
  n += ".options method=gear reltol=1e-3 abstol=1e-9 itl4=100 trtol=20\n";
  n += "* " + n.Num(kSettlingPeriods) + " periods of " + n.Num(period_us) +
       " us (the clock's, or the loss budget's at this bus), at most 200 steps a period;\n";
  if (st.burst_duty < 1) {
    n += "* bursting, a period is the mean time between turn-ons, the pulses' " + n.Num(pulse_us) +
         " us over\n";
    n += "* the burst duty " + n.Num(st.burst_duty) + ", and the 200 steps are a pulse's\n";
  }
  n += "* flyback itself ends the run once the outputs have settled\n";
  n += ".tran 50n " + n.Num(stop_us) + "u 0 " + n.Num(step_us) + "u\n";
  n += "* averages and peaks over the last " + n.Num(kMeasuredPeriods) + " periods\n";
  const std::string window = " FROM=" + n.Num(from_us) + "u TO=" + n.Num(stop_us) + "u\n";
  for (const Rectified& w : st.windings) {
    n += ".meas tran U_" + w.name + " AVG v(" + OutputNode(w.winding) + ")" + window;
  }
  n += ".meas tran I_D_peak MAX i(Vsense)" + window;
  n += ".meas tran U_D_peak MAX v(drain)" + window;
  // The switch turns on where the latch rises through its on threshold.
  const std::string on = " VAL=" + n.Num(kGateOn_V);
  n += ".meas tran t_10 TRIG v(q)" + on + " RISE=1 TD=" + n.Num(from_us) + "u TARG v(q)" + on +
       " RISE=11 TD=" + n.Num(from_us) + "u\n";
  n += ".meas tran f_sw PARAM='10/t_10'\n";
  n += ".end\n";
}

void AppendLoadStepAnalysis(NetlistText& n, const Stage& st, const LoadStepTimes& t) {
  const double period_us = AnalysisPeriod_us(st, BusPoint::kLowest);
  AppendStart(n, st, StartState::kWarm);
  n += ".options method=gear reltol=1e-3 abstol=1e-9 itl4=100 trtol=20\n";
  n += ".tran 50n " + n.Num(t.end_s * 1e6) + "u 0 " + n.Num(period_us / 200) + "u\n";
  n += ".end\n";
}

// The run of the netlist `text` of `st` at `point`, its end still to set.
SpiceRun RunOf(NetlistText text, const Stage& st, BusPoint point) {
  SpiceRun run;
  run.netlist = std::move(text.text);
  run.non_finite_line = std::move(text.non_finite_line);
  run.U_bus_V = st.part_load                 ? st.U_bus_part_V
                : point == BusPoint::kLowest ? st.U_bus_min_V
                                             : st.U_bus_max_V;
  run.period_s = AnalysisPeriod_us(st, point) * 1e-6;
  for (const Rectified& w : st.windings) {
    run.loads.push_back({w.winding, w.U_V / w.I_load_A, w.turns / st.n_prim});
  }
  return run;
}

}  // namespace

SpiceRun SpiceRunOf(const DesignState& s, const LossBudget& budget,
                    const std::optional<LoopDesign>& loop, BusPoint point, StartState start,
                    const PartLoad* part_load) {
  const Stage st = StageOf(s, budget, loop ? &*loop : nullptr, point, part_load);
  NetlistText text;
  AppendHead(text, st, point);
  AppendPrimary(text, st);
  AppendTransformer(text, st);
  AppendRectifiers(text, st);
  AppendController(text, st);
  AppendAnalysis(text, st, point, start);
  SpiceRun run = RunOf(std::move(text), st, point);
  run.stop_s = kSettlingPeriods * run.period_s;
  return run;
}

SpiceRun LoadStepRunOf(const DesignState& s, const LossBudget& budget, const LoopDesign& loop) {
  const Stage st = StageOf(s, budget, &loop, BusPoint::kLowest, nullptr);
  const double period_s = AnalysisPeriod_us(st, BusPoint::kLowest) * 1e-6;
  LoadStepTimes t;
  t.down_s = kLoadStepStartPeriods * period_s;
  t.up_s = t.down_s + kLoadStepPartPeriods * period_s;
  t.end_s = t.up_s + kLoadStepPartPeriods * period_s;
  NetlistText text;
  AppendHead(text, st, BusPoint::kLowest);
  AppendPrimary(text, st);
  AppendTransformer(text, st);
  AppendRectifiers(text, st);
  AppendLoadStep(text, st, t);
  AppendController(text, st);
  AppendLoadStepAnalysis(text, st, t);
  SpiceRun run = RunOf(std::move(text), st, BusPoint::kLowest);
  run.stop_s = t.end_s;
  run.load_step = t;
  return run;
}

std::string SpiceNetlist(const DesignState& s, const LossBudget& budget,
                         const std::optional<LoopDesign>& loop, BusPoint point) {
  return SpiceRunOf(s, budget, loop, point).netlist;
}

}  // namespace flyback

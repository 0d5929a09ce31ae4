#include "engine/simulation/loop_netlist.h"

#include <cstddef>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/units.h"
#include "engine/components/selection_rules.h"
#include "engine/losses/output_capacitor_esr.h"
#include "engine/simulation/compensator_netlist.h"

namespace flyback {

namespace {

constexpr double kFaradPerMicrofarad = 1e-6;
// The most duty cycle the averaged continuous stage is let take.
constexpr double kDutyMax = 0.95;

std::string Num(double x) {
  return SignedNumberText(x);
}

// The averaged stage: the current it delivers into output 1 as a function
// of the feedback pin (the peak current k_i·v(fb)) and of the output
// voltage, the point's efficiency η (the loop's load over the point's input
// power) taking the losses off.
std::string StageLines(const LoopCorner& c, const LoopCircuit& k) {
  const SwitchingPoint& p = c.switching;
  const double L_H = kHenryPerMicrohenry * p.U_bus_V * p.t_on_us / (p.I_pk_A - p.I_start_A);
  const double T_s = kSecondsPerMicrosecond * p.period_us;
  const double k_i = k.I_limit_A / (k.assumptions.A_cs * k.assumptions.U_cs_limit_V);
  const double eta = c.load_share * k.output.P_full_W / p.P_in_W;
  const double U_o = k.output.U_V;
  // V, the reflected voltage at the point: the demagnetizing slope L·I/t_off
  // (the whole off time in continuous operation, t_off·(U_refl/L) = ripple).
  const double U_refl = L_H * (p.I_pk_A - p.I_start_A) / (kSecondsPerMicrosecond * p.t_off_us);
  // The reflected voltage follows the output: U_refl·v(out)/U_o.
  const std::string refl = "(" + Num(U_refl / U_o) + "*v(out))";
  // The peak current is never negative: the power has one root, the
  // stage's.
  const std::string i_pk = "(" + Num(k_i) + "*max(v(fb),0))";
  std::string t = "* stage: " + std::string(SwitchingModeName(p.mode)) + ", L " + Num(L_H) +
                  " H, bus " + Num(p.U_bus_V) + " V, k_i " + Num(k_i) + " A/V, efficiency " +
                  Num(eta) + "\n";
  switch (p.mode) {
    case SwitchingMode::kBoundary: {
      // Free running: ½·L·I² each period T = k_T·L·I·(1/U_bus + 1/U_refl).
      const double k_T = p.period_us / (p.t_on_us + p.t_off_us);
      t += "Bstage 0 out I=" + Num(eta / (2 * k_T)) + "*" + i_pk + "/(1/" + Num(p.U_bus_V) + "+1/" +
           refl + ")/v(out)\n";
      break;
    }
    case SwitchingMode::kDiscontinuous:
      // Fixed frequency: ½·L·I² each period T.
      t += "Bstage 0 out I=" + Num(eta * L_H / (2 * T_s)) + "*" + i_pk + "*" + i_pk + "/v(out)\n";
      break;
    case SwitchingMode::kContinuous: {
      // The averaged switch of the current-mode stage: the magnetizing
      // current i_L (primary side) rises by d·U_bus − (1 − d)·U_refl; the
      // peak current sets d through I_c = i_L + d·T·(U_bus/(2·L) + S_e),
      // S_e the slope compensation; the off-time share (1 − d)·i_L·U_refl
      // of the power reaches output 1.
      const double S_e = k.assumptions.slope_share * U_refl / L_H;
      const double slope = T_s * (p.U_bus_V / (2 * L_H) + S_e);
      t += "Bduty d 0 V=max(0,min(" + Num(kDutyMax) + ",(" + i_pk + "-i(Vmag))/" + Num(slope) +
           "))\n";
      t += "Bmag m 0 V=v(d)*" + Num(p.U_bus_V) + "-(1-v(d))*" + refl + "\n";
      t += "Lmag m mag " + Num(L_H) + "\n";
      t += "Vmag mag 0 0\n";
      t += "Bstage 0 out I=" + Num(eta) + "*(1-v(d))*i(Vmag)*" + refl + "/v(out)\n";
      break;
    }
  }
  return t;
}

// Every output's capacitor with its ESR, referred to output 1, and the
// load.
std::string OutputLines(const LoopCorner& c, const LoopCircuit& k) {
  std::string t;
  for (std::size_t i = 0; i < k.capacitors.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    const std::string esr_node = "esr" + n;
    t += "Cout" + n;
    t += " out " + esr_node + " " + Num(kFaradPerMicrofarad * k.capacitors[i].C_uF) + "\n";
    t += "Resr" + n;
    t += " " + esr_node + " 0 " + Num(k.capacitors[i].ESR_ohm) + "\n";
  }
  t += "Rload out 0 " + Num(c.plant.R_load_ohm) + "\n";
  return t;
}

// V, the feedback pin at the corner's peak current: the controller's
// I_pk = k_i·v(fb).
double RestingFeedback_V(const LoopCorner& c, const LoopCircuit& k) {
  return c.switching.I_pk_A * k.assumptions.A_cs * k.assumptions.U_cs_limit_V / k.I_limit_A;
}

// Divider, shunt regulator, fast lane, opto-coupler and feedback pin, the
// regulator and the LED linearized. The regulator's cathode rests where the
// LED carries the current that pulls the feedback pin to the corner's
// voltage through the CTR.
std::string CompensatorLines(const LoopCorner& c, const LoopCircuit& k) {
  const LoopAssumptions& a = k.assumptions;
  const double I_LED_mA = (a.U_pullup_V - RestingFeedback_V(c, k)) / (a.R_pullup_kOhm * c.CTR);
  const double U_cathode_V = k.output.U_V - a.U_F_LED_V - I_LED_mA * k.parts.R_LED_kOhm;
  NetlistText n;
  AppendCompensator(
      n, {k.parts, a, c.CTR, k.U_ref_V, k.output.U_V, kLoopInjectNode, n.Num(U_cathode_V)},
      CompensatorModel::kLinearized);
  return n.text;
}

}  // namespace

LoopCircuit LoopCircuitOf(const DesignState& s, const LossBudget& budget, const LoopDesign& loop) {
  LoopCircuit k{loop.parts,  loop.output, {}, loop.assumptions, budget.worst_case.I_D_max_A,
                loop.U_ref_V};
  // The voltages and capacitors RegulatedOutputOf refers C_total_uF with.
  for (int i = 1; i <= s.inputs.n_sec; ++i) {
    const OutputSpec& o = s.inputs.output(i);
    if (o.Umin == 0) continue;
    const double share = (o.Umin + o.Umax) / 2 / loop.output.U_V;
    k.capacitors.push_back(
        {ListedOutputCapacitor(o).C * share * share, OutputCapacitorEsr_ohm(o) / (share * share)});
  }
  return k;
}

std::string LoopNetlist(const LoopCorner& corner, const LoopCircuit& circuit, double f_start_Hz,
                        double f_stop_Hz, int points_per_decade) {
  std::string t = "* flyback loop gain: " + std::string(corner.line) + ", " +
                  Num(100 * corner.load_share) + " % load, CTR " + Num(corner.CTR) + "\n";
  t += StageLines(corner, circuit);
  t += OutputLines(corner, circuit);
  // The loop broken at output 1: T = -V(out)/V(sense).
  t += "Vinject sense out DC 0 AC 1\n";
  t += CompensatorLines(corner, circuit);
  // The operating point starts from the regulated output and the point's
  // peak current.
  const std::string U_o = Num(circuit.output.U_V);
  t += ".nodeset v(out)=" + U_o + " v(sense)=" + U_o +
       " v(fb)=" + Num(RestingFeedback_V(corner, circuit)) + "\n";
  t += ".ac dec " + std::to_string(points_per_decade) + " " + Num(f_start_Hz) + " " +
       Num(f_stop_Hz) + "\n";
  t += ".end\n";
  return t;
}

}  // namespace flyback

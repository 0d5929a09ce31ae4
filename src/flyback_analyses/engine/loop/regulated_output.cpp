#include "engine/loop/regulated_output.h"

#include "engine/components/selection_rules.h"
#include "engine/losses/output_capacitor_esr.h"

namespace flyback {

namespace {

double CapacitorOf(const OutputSpec& out) {
  return ListedOutputCapacitor(out).C;
}

}  // namespace

RegulatedOutput RegulatedOutputOf(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  RegulatedOutput out;
  out.U_V = in.U_opto;
  out.P_full_W = in.P_out_max;
  out.C_own_uF = CapacitorOf(in.output(1));
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& o = in.output(i);
    if (o.Umin == 0) continue;  // the list gives such an output no parts
    const double U_mid = (o.Umin + o.Umax) / 2;
    out.C_total_uF += CapacitorOf(o) * (U_mid * U_mid) / (out.U_V * out.U_V);
  }
  // The same capacitor, with the same ESR, as the loss budget and the
  // simulation's netlist take.
  out.ESR_ohm = OutputCapacitorEsr_ohm(in.output(1));
  out.turns_ratio = s.transformer.n_prim / s.transformer.n_out(1);
  return out;
}

double LoadResistance(const RegulatedOutput& out, double load_share) {
  return out.U_V * out.U_V / (load_share * out.P_full_W);
}

}  // namespace flyback

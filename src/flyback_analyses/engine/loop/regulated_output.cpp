#include "engine/loop/regulated_output.h"

#include <numbers>

#include "engine/components/selection_rules.h"

namespace flyback {

namespace {

constexpr double kCapacitorTestFrequency_Hz = 120;
constexpr double kFaradPerMicrofarad = 1e-6;
// The component list rates an output's capacitor for 1.25 times its
// highest voltage.
constexpr double kCapacitorVoltageMargin = 1.25;

double CapacitorOf(const OutputSpec& out) {
  return select_capacitor(kCapacitorVoltageMargin * out.Umax, out.Imax).C;
}

}  // namespace

RegulatedOutput RegulatedOutputOf(const DesignState& s, const LoopAssumptions& a) {
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
  // tan δ = ESR·ω·C at the test frequency.
  out.ESR_ohm = a.tan_delta / (2 * std::numbers::pi * kCapacitorTestFrequency_Hz * out.C_own_uF *
                               kFaradPerMicrofarad);
  out.turns_ratio = s.transformer.n_prim / s.transformer.n_out(1);
  return out;
}

double LoadResistance(const RegulatedOutput& out, double load_share) {
  return out.U_V * out.U_V / (load_share * out.P_full_W);
}

}  // namespace flyback

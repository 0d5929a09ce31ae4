#include "engine/transformer/winding_values.h"

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/transformer/switching_period.h"
#include "engine/transformer/wire.h"

namespace flyback {

namespace {

// Fraction of the period in which the primary current flows, over 3: the
// square of the rms factor of a triangular pulse.
double PrimaryPulseShare(const TransformerDesign& t) {
  return t.t_on / (3 * ConductingTime(t));
}

// A, rms current of the winding of output i, to 0.01 A.
double SecondaryRmsCurrent(const DesignInputs& in, const TransformerDesign& t, int i) {
  double I_rms = 2 * in.output(i).Imax * std::sqrt(PeriodOf(t.fsntmin) / (3 * t.t_off));
  if (in.fixed_freq) I_rms *= t.k_fix;
  return RoundTo(I_rms, 2);
}

}  // namespace

double PrimaryRmsCurrent(const DesignInputs& in, const TransformerDesign& t) {
  double I_rms = RoundTo(t.I_D_max * std::sqrt(PrimaryPulseShare(t)), 2);
  if (in.fixed_freq) I_rms = RoundTo(I_rms * t.k_fix, 2);
  return I_rms;
}

double ConductionLoss(const TransformerDesign& t, double R_DSon) {
  const double I_D_max_squared = t.I_D_max * t.I_D_max;
  return RoundTo(2 * R_DSon * I_D_max_squared * t.t_on / (3 * ConductingTime(t)), 1);
}

double IcSupplyVoltage(const DesignInputs& in, const TransformerDesign& t) {
  return RoundTo(t.nic * t.U_ts * in.k_ic - in.U_F_ic, 2);
}

double OutputVoltage(const DesignInputs& in, const TransformerDesign& t, int i) {
  return RoundTo(t.n_out(i) * t.U_ts * in.output(i).k_out - in.U_F_sec, 2);
}

WindingValues ComputeWindingValues(const DesignInputs& in, const TransformerDesign& t) {
  WindingValues values;
  values.I_prim_rms = PrimaryRmsCurrent(in, t);
  values.A_prim = CrossSection(values.I_prim_rms, in.J);
  values.U_ic_act = IcSupplyVoltage(in, t);
  for (int i = 1; i <= in.n_sec; ++i) {
    OutputWindingValues& out = values.outputs.at(static_cast<std::size_t>(i - 1));
    out.I_sec_rms = SecondaryRmsCurrent(in, t, i);
    out.A_sec = CrossSection(out.I_sec_rms, in.J);
    out.Uact = OutputVoltage(in, t, i);
  }
  return values;
}

}  // namespace flyback

#include "engine/transformer/result_figures.h"

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/transformer/magnetics.h"
#include "engine/transformer/switching_period.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

ResultFigures ShownResultFigures(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  ResultFigures f;
  f.dc_input = in.dc_input;
  f.input_min_V = in.dc_input ? in.U_DC_min : in.U_mains_min;
  f.input_max_V = in.dc_input ? in.U_DC_max : in.U_mains_max;
  f.P_in_max_W = in.P_in_max;
  f.P_out_max_W = in.P_out_max;
  f.thp = in.THP;
  f.P_perm_W = in.P_perm;
  f.fixed_frequency = in.fixed_freq;
  f.f_fix_min_kHz = in.f_fix_min;
  f.f_fix_max_kHz = in.f_fix_max;
  // Printed right after a word; no MOSFET proposed yet leaves it empty.
  f.mosfet_name = s.components.mosfet.empty() ? "" : " " + s.components.mosfet;

  f.primary_turns = RoundTo(t.n_prim, 0);
  f.primary_inductance_uH = RoundTo(PrimaryInductance(in.AL, f.primary_turns), 0);
  f.Bmax_mT = RoundTo(t.Bmax, 1);
  f.fsntmin_kHz = RoundTo(t.fsntmin, 1);
  f.fsntmin_whole_kHz = RoundTo(t.fsntmin, 0);
  f.period_us = RoundTo(PeriodOf(t.fsntmin), 1);
  f.induced_voltage_V = RoundTo(t.U_ts * t.n_prim, 0);
  f.U_D_max_V = RoundTo(t.U_D_max, 0);
  f.U_ts_V = RoundTo(t.U_ts, 2);
  f.t_on_us = RoundTo(t.t_on, 1);
  // Currents and losses at f_fix_min grow with the longer period.
  const double loss = ConductionLoss(t, s.components.R_DSon);
  if (in.fixed_freq) {
    const double factor = FixedFrequencyFactor(in, t);
    f.Bmax_at_f_fix_min_mT = RoundTo(MagnetizationAtFixedFrequency(in, t), 0);
    f.conduction_loss_W = RoundTo(loss * factor, 1);
    f.I_D_max_A = RoundTo(t.I_D_max * factor, 2);
  } else {
    f.conduction_loss_W = loss;
    f.I_D_max_A = RoundTo(t.I_D_max, 2);
  }
  return f;
}

}  // namespace flyback

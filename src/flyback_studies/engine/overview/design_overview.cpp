#include "engine/overview/design_overview.h"

#include <algorithm>
#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/inputs/power_budget.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/switching_period.h"
#include "engine/transformer/turns.h"
#include "engine/transformer/voltage_window.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

std::string Text(double value, std::string_view unit) {
  return SignedNumberText(value) + " " + std::string(unit);
}

double Position(double U, double Umin, double Umax) {
  double position = 0.5;
  if (Umax != Umin) {
    position = (U - Umin) / (Umax - Umin);
  } else if (U != Umin) {
    position = U > Umin ? 1.5 : -0.5;
  }
  if (!std::isfinite(position)) position = U > Umin ? 1.5 : -0.5;
  return std::clamp(position, -0.5, 1.5);
}

OutputBar Bar(std::string name, const VoltageWindow& window, double Uact, Verdict verdict) {
  return {std::move(name),
          window.lowest,
          window.highest,
          Uact,
          InWindow(Uact, window),
          verdict,
          Position(Uact, window.lowest, window.highest)};
}

}  // namespace

std::vector<KeyFigure> KeyFigures(const DesignState& s, const std::vector<Finding>& findings) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const ResultFigures f = ShownResultFigures(s);
  std::vector<KeyFigure> figures = {
      {"Bmax", Text(f.Bmax_mT, "mT"), "limit " + Text(in.Bmaxlim, "mT"),
       VerdictOn(findings, {{Quantity::kBmax}})},
  };
  if (in.fixed_freq) {
    figures.push_back({"Bmax at f_fix_min", Text(f.Bmax_at_f_fix_min_mT, "mT"),
                       "below " + Text(in.Bmaxlim, "mT"),
                       VerdictOn(findings, {{Quantity::kBmaxAtFixedFrequency}})});
  }
  figures.push_back({"U_D_max", Text(f.U_D_max_V, "V"), "limit " + Text(in.U_D_lim, "V"),
                     VerdictOn(findings, {{Quantity::kDrainVoltage}})});
  const std::string frequency_limit =
      in.fixed_freq ? "above " + Text(in.f_low_lim, "kHz") + " and " + Text(in.f_fix_max, "kHz")
                    : Text(in.f_low_lim, "kHz") + " and above";
  figures.push_back({"fsntmin", Text(f.fsntmin_kHz, "kHz"), frequency_limit,
                     VerdictOn(findings, {{Quantity::kFrequency}})});
  figures.push_back({"D_max", Text(RoundTo(t.D_max, 3), ""), "between 0 and 1",
                     VerdictOn(findings, {{Quantity::kDutyCycle}})});
  figures.push_back({"I_D_max", Text(f.I_D_max_A, "A"), "", std::nullopt});
  figures.push_back(
      {"L_prim", Text(f.primary_inductance_uH, "µH"), "above 0",
       VerdictOn(findings, {{Quantity::kPrimaryInductance}, {Quantity::kPrimaryTurns}})});
  figures.push_back({"P_in_max", Text(in.P_in_max, "W"), "", std::nullopt});
  figures.push_back({"MOSFET" + f.mosfet_name, Text(f.conduction_loss_W, "W") + " conduction loss",
                     "up to " + Text(LossBudget(in), "W") + " of losses",
                     VerdictOn(findings, {{Quantity::kConductionLoss}})});
  return figures;
}

std::vector<OutputBar> OutputBars(const DesignState& s, const std::vector<Finding>& findings) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  std::vector<OutputBar> bars;
  for (int i = 1; i <= in.n_sec; ++i) {
    bars.push_back(
        Bar("U" + std::to_string(i), OutputWindow(in, i), values.output(i).Uact,
            VerdictOn(findings, {{Quantity::kOutputVoltage, i}, {Quantity::kOutputTurns, i}})));
  }
  bars.push_back(Bar("IC supply", IcSupplyWindowOf(in, t), values.U_ic_act,
                     VerdictOn(findings, {{Quantity::kIcSupplyVoltage}, {Quantity::kIcTurns}})));
  return bars;
}

CurrentWaveforms Waveforms(const DesignState& s) {
  const TransformerDesign& t = s.transformer;
  CurrentWaveforms w;
  w.period_us = PeriodOf(t.fsntmin);
  const double end_of_off_phase = ConductingTime(t);
  w.primary = {{0, 0}, {t.t_on, t.I_D_max}, {t.t_on, 0}, {w.period_us, 0}};
  w.secondary = {{0, 0}, {t.t_on, 0}, {t.t_on, t.I_D_max}, {end_of_off_phase, 0}, {w.period_us, 0}};
  w.I_prim_rms_A = PrimaryRmsCurrent(s.inputs, t);
  // The same triangle as the primary pulse, of length t_off.
  w.I_sec_rms_A = RoundTo(t.I_D_max * std::sqrt(t.t_off / (3 * end_of_off_phase)), 2);
  return w;
}

CurrentWaveforms WaveformsAt(const SwitchingPoint& p) {
  const double a = p.I_start_A;
  const double b = p.I_pk_A;
  const double trapezoid = (a * a + a * b + b * b) / 3;
  const double end_of_off_phase = p.t_on_us + p.t_off_us;
  CurrentWaveforms w;
  w.period_us = p.period_us;
  w.primary = {{0, a}, {p.t_on_us, b}, {p.t_on_us, 0}, {w.period_us, 0}};
  w.secondary = {
      {0, 0},          {p.t_on_us, 0}, {p.t_on_us, b}, {end_of_off_phase, a}, {end_of_off_phase, 0},
      {w.period_us, 0}};
  w.I_prim_rms_A = RoundTo(std::sqrt(trapezoid * p.t_on_us / p.period_us), 2);
  w.I_sec_rms_A = RoundTo(std::sqrt(trapezoid * p.t_off_us / p.period_us), 2);
  return w;
}

}  // namespace flyback

#include "engine/design_report/figure_derivations.h"

#include <cmath>

#include "base/numbers/rounding.h"
#include "engine/design_report/html_text.h"
#include "engine/transformer/magnetics.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/switching_period.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// A quantity put into a formula: 5 significant digits and its unit.
std::string Q(double x, const std::string& unit = "") {
  return unit.empty() ? Significant(x) : Significant(x) + " " + unit;
}

std::string R(double x, int decimals, const std::string& unit) {
  return Rounded(x, decimals) + " " + unit;
}

// The duty cycle starts at 0.75 and loses 1 % a pass until the drain voltage
// keeps its limit: the number of passes, where D_max is such a value (a
// manual change of the primary turns sets it otherwise).
int DutyCyclePasses(double D_max) {
  constexpr double kStart = 0.75;
  constexpr double kStep = 0.99;
  if (D_max <= 0 || D_max > kStart) return -1;
  const int passes = static_cast<int>(std::lround(std::log(D_max / kStart) / std::log(kStep)));
  return std::abs(kStart * std::pow(kStep, passes) - D_max) < 1e-9 ? passes : -1;
}

std::string Sum(const DesignInputs& in) {
  std::string sum;
  for (int i = 1; i <= in.n_sec; ++i) {
    if (i > 1) sum += " + ";
    sum += Q(in.output(i).Umax, "V") + " · " + Q(in.output(i).Imax, "A");
  }
  return sum;
}

void AddPowerAndCurrents(const DesignState& s, const ResultFigures& f,
                         std::vector<Derivation>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  rows.push_back({"Max. outputpower", "P_out_max", "Σ Umax(i) · Imax(i)", Sum(in),
                  R(in.P_out_max, 1, "W"), true});
  rows.push_back({"Max. inputpower", "P_in_max", "P_out_max / η",
                  Q(in.P_out_max, "W") + " / " + Q(in.eta), R(f.P_in_max_W, 1, "W"), true});
  const int passes = DutyCyclePasses(t.D_max);
  rows.push_back({"Duty cycle", "D_max",
                  passes >= 0 ? "0.75 · 0.99^k, lowered until U_D_max ≤ U_D_lim"
                              : "set by the manual change of the primary turns",
                  passes >= 0 ? "0.75 · 0.99^" + std::to_string(passes) : "", Q(t.D_max), false});
  rows.push_back(
      {"Average input current", "I_in_avg", "P_in_max / (U_mains_min · k_valley)",
       Q(in.P_in_max, "W") + " / (" + Q(in.U_mains_min, "V") + " · " + Q(in.k_valley) + ")",
       Q(t.I_in_avg, "A"), false});
  rows.push_back({"Max. drain current", "I_D_max", "2 · I_in_avg / D_max",
                  "2 · " + Q(t.I_in_avg, "A") + " / " + Q(t.D_max), R(t.I_D_max, 2, "A"),
                  !in.fixed_freq});
}

void AddTurnsAndVoltages(const DesignState& s, const ResultFigures& f,
                         std::vector<Derivation>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  rows.push_back({"Primary turns", "n_prim", "Bmax · Ae / (I_D_max · AL)",
                  Q(t.Bmax, "mT") + " · " + Q(in.Ae, "mm²") + " / (" + Q(t.I_D_max, "A") + " · " +
                      Q(in.AL, "nH") + ")",
                  Q(t.n_prim) + " → " + Rounded(f.primary_turns, 0) + " turns", false});
  const double q_D = 1 / (t.D_max * in.k_T) - 1;
  rows.push_back({"Off to on ratio", "q_D", "1 / (D_max · k_T) − 1",
                  "1 / (" + Q(t.D_max) + " · " + Q(in.k_T) + ") − 1", Q(q_D), false});
  rows.push_back({"Sec. voltage per turn", "U_ts", "U_mains_min · √2 / (n_prim · q_D)",
                  Q(in.U_mains_min, "V") + " · √2 / (" + Q(t.n_prim) + " · " + Q(q_D) + ")",
                  R(f.U_ts_V, 2, "V"), true});
  rows.push_back({"Induced voltage in prim. winding", "U_ind", "U_ts · n_prim",
                  Q(t.U_ts, "V") + " · " + Q(t.n_prim), R(f.induced_voltage_V, 0, "V"), true});
  rows.push_back({"Max. bus voltage", "U_bus_max", "U_mains_max · √2 · k_U",
                  Q(in.U_mains_max, "V") + " · √2 · " + Q(in.k_U), Q(t.U_bus_max, "V"), false});
  rows.push_back(
      {"Max. drain voltage", "U_D_max", "U_bus_max + n_prim · U_ts · k_os",
       Q(t.U_bus_max, "V") + " + " + Q(t.n_prim) + " · " + Q(t.U_ts, "V") + " · " + Q(in.k_os),
       R(f.U_D_max_V, 0, "V"), true});
}

void AddTimesAndFrequency(const DesignState& s, const ResultFigures& f,
                          std::vector<Derivation>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  rows.push_back({"Primary inductance (calculation)", "L_prim", "n_prim² · AL",
                  Q(t.n_prim) + "² · " + Q(in.AL, "nH"), Q(t.L_prim, "µH"), false});
  rows.push_back(
      {"Max. switch on time", "t_on", "L_prim · I_D_max / (U_mains_min · √2)",
       Q(t.L_prim, "µH") + " · " + Q(t.I_D_max, "A") + " / (" + Q(in.U_mains_min, "V") + " · √2)",
       R(f.t_on_us, 1, "µs"), true});
  rows.push_back({"Demagnetization time", "t_off", "L_prim · I_D_max / (U_ts · n_prim)",
                  Q(t.L_prim, "µH") + " · " + Q(t.I_D_max, "A") + " / (" + Q(t.U_ts, "V") + " · " +
                      Q(t.n_prim) + ")",
                  Q(t.t_off, "µs"), false});
  rows.push_back(
      {"Lowest SMPS- frequency", "fsntmin", "1000 / ((t_on + t_off) · k_T)",
       "1000 / ((" + Q(t.t_on, "µs") + " + " + Q(t.t_off, "µs") + ") · " + Q(in.k_T) + ")",
       R(f.fsntmin_kHz, 1, "kHz"), true});
  if (!in.fixed_freq) {
    rows.push_back({"Longest period", "T_max", "1000 / fsntmin", "1000 / " + Q(t.fsntmin, "kHz"),
                    R(f.period_us, 1, "µs"), true});
  }
  rows.push_back(
      {"Max. magnetization", "Bmax", "n_prim · I_D_max · AL / Ae",
       Q(t.n_prim) + " · " + Q(t.I_D_max, "A") + " · " + Q(in.AL, "nH") + " / " + Q(in.Ae, "mm²"),
       R(f.Bmax_mT, 1, "mT"), true});
  rows.push_back({"Primary inductivity", "L_prim (whole turns)", "n_prim² · AL",
                  Rounded(f.primary_turns, 0) + "² · " + Q(in.AL, "nH"),
                  R(f.primary_inductance_uH, 0, "µH"), true});
}

void AddFixedFrequency(const DesignState& s, const ResultFigures& f,
                       std::vector<Derivation>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const std::string root = "√(" + Q(t.fsntmin, "kHz") + " / " + Q(in.f_fix_min, "kHz") + ")";
  rows.push_back({"Max. magnetization at f_fix_min", "B_fix", "Bmax · √(fsntmin / f_fix_min)",
                  Q(t.Bmax, "mT") + " · " + root, R(f.Bmax_at_f_fix_min_mT, 0, "mT"), true});
  rows.push_back({"Max. drain current at f_fix_min", "I_D_fix", "I_D_max · √(fsntmin / f_fix_min)",
                  Q(t.I_D_max, "A") + " · " + root, R(f.I_D_max_A, 2, "A"), true});
  rows.push_back({"Fixed frequency range", "f_fix", "as entered", "",
                  R(in.f_fix_min, 3, "kHz") + " to " + R(in.f_fix_max, 3, "kHz"), true});
}

void AddPrimaryCurrentAndLoss(const DesignState& s, const ResultFigures& f,
                              std::vector<Derivation>& rows) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const std::string share =
      Q(t.t_on, "µs") + " / (3 · (" + Q(t.t_on, "µs") + " + " + Q(t.t_off, "µs") + "))";
  const std::string fixed_factor = in.fixed_freq ? " · k_fix" : "";
  const std::string fixed_value = in.fixed_freq ? " · " + Q(t.k_fix) : "";
  rows.push_back({"Primary rms current", "I_prim_rms",
                  "I_D_max · √(t_on / (3 · (t_on + t_off)))" + fixed_factor,
                  Q(t.I_D_max, "A") + " · √(" + share + ")" + fixed_value,
                  R(PrimaryRmsCurrent(in, t), 2, "A"), false});
  const std::string conduction = "2 · R_DSon · I_D_max² · t_on / (3 · (t_on + t_off))";
  const std::string conduction_values =
      "2 · " + Q(s.components.R_DSon, "Ω") + " · (" + Q(t.I_D_max, "A") + ")² · " + share;
  const std::string figure = "Max. cond. loss in" + f.mosfet_name;
  if (in.fixed_freq) {
    const double P_cond = ConductionLoss(t, s.components.R_DSon);
    rows.push_back({"Conduction loss (free running)", "P_cond", conduction, conduction_values,
                    R(P_cond, 1, "W"), false});
    rows.push_back(
        {figure + " at f_fix_min", "P_cond_fix", "P_cond · √(fsntmin / f_fix_min)",
         R(P_cond, 1, "W") + " · √(" + Q(t.fsntmin, "kHz") + " / " + Q(in.f_fix_min, "kHz") + ")",
         R(f.conduction_loss_W, 1, "W"), true});
  } else {
    rows.push_back(
        {figure, "P_cond", conduction, conduction_values, R(f.conduction_loss_W, 1, "W"), true});
  }
}

}  // namespace

std::vector<Derivation> ResultDerivations(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const ResultFigures f = ShownResultFigures(s);
  std::vector<Derivation> rows;
  std::string core = R(in.AL, 0, "nH") + ", " + Q(in.Ae, "mm²");
  if (in.airgap_shown) core = Q(in.g, "mm") + ", " + core;
  rows.push_back({"Core = " + in.tr_name, in.airgap_shown ? "g, AL, Ae" : "AL, Ae", "as entered",
                  "", core, true});
  rows.push_back({"Input- voltage- range", in.dc_input ? "U_DC" : "U_mains", "as entered", "",
                  Q(f.input_min_V, "V") + " to " + Q(f.input_max_V, in.dc_input ? "V DC" : "V"),
                  true});
  if (in.THP) {
    rows.push_back(
        {"Limit of permanent output power", "P_perm", "as entered", "", Q(in.P_perm, "W"), true});
  }
  AddPowerAndCurrents(s, f, rows);
  AddTurnsAndVoltages(s, f, rows);
  AddTimesAndFrequency(s, f, rows);
  if (in.fixed_freq) AddFixedFrequency(s, f, rows);
  AddPrimaryCurrentAndLoss(s, f, rows);
  return rows;
}

std::vector<Derivation> WindingDerivations(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  std::vector<Derivation> rows;
  rows.push_back({"Prim.", "A_prim", "I_prim_rms / J",
                  Q(values.I_prim_rms, "A") + " / " + Q(in.J, "A/mm²"), R(values.A_prim, 2, "mm²"),
                  true});
  rows.push_back(
      {"IC-supply", "U_ic_act", "nic · U_ts · k_ic − U_F_ic",
       Q(t.nic) + " · " + Q(t.U_ts, "V") + " · " + Q(in.k_ic) + " − " + Q(in.U_F_ic, "V"),
       R(values.U_ic_act, 2, "V"), true});
  const std::string fixed_factor = in.fixed_freq ? " · k_fix" : "";
  const std::string fixed_value = in.fixed_freq ? " · " + Q(t.k_fix) : "";
  for (int i = 1; i <= in.n_sec; ++i) {
    const std::string name = "U " + std::to_string(i);
    const std::string index = "(" + std::to_string(i) + ")";
    const OutputWindingValues& out = values.output(i);
    rows.push_back({name, "I_sec_rms" + index,
                    "2 · Imax · √((1000 / fsntmin) / (3 · t_off))" + fixed_factor,
                    "2 · " + Q(in.output(i).Imax, "A") + " · √((1000 / " + Q(t.fsntmin, "kHz") +
                        ") / (3 · " + Q(t.t_off, "µs") + "))" + fixed_value,
                    R(out.I_sec_rms, 2, "A"), true});
    rows.push_back({name, "A_sec" + index, "I_sec_rms / J",
                    Q(out.I_sec_rms, "A") + " / " + Q(in.J, "A/mm²"), R(out.A_sec, 2, "mm²"),
                    true});
    rows.push_back({name, "Uact" + index, "n · U_ts · k_out − U_F_sec",
                    Q(t.n_out(i)) + " · " + Q(t.U_ts, "V") + " · " + Q(in.output(i).k_out) + " − " +
                        Q(in.U_F_sec, "V"),
                    R(out.Uact, 2, "V"), true});
  }
  return rows;
}

}  // namespace flyback

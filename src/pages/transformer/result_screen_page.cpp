// The transformer data of the last calculation, with the conduction loss of
// the proposed MOSFET; the winding turns are determined after it.

#include <cmath>

#include "components/dimensioning.h"
#include "console/number_text.h"
#include "dialogue/pages.h"
#include "transformer/transformer_calculation.h"
#include "transformer/turns.h"
#include "transformer/winding_values.h"

namespace flyback {

namespace {

void WriteCoreAndInput(Dialogue& d) {
  const DesignState& s = d.state;
  if (s.tr_type == "1") {
    d.Write({"    Core = ", s.tr_name, ", g = ", s.g, "mm, AL =", RoundTo(s.AL, 0),
             "nH, Ae =", s.Ae, "mm²"});
  } else {
    d.Write({"    Core = ", s.tr_name, ", AL =", RoundTo(s.AL, 0), "nH, Ae =", s.Ae, "mm²"});
  }
  d.Write();
  if (s.dc_input) {
    d.Write({"    Input- voltage- range", zone, zone, s.U_DC_min, "V -", s.U_DC_max, "V DC"});
  } else {
    d.Write({"    Input- voltage- range", zone, zone, s.U_mains_min, "V -", s.U_mains_max, "V"});
  }
}

void WriteMagnetics(Dialogue& d, bool fixed) {
  const DesignState& s = d.state;
  // From the whole-number turns of the finished winding.
  const double N = RoundTo(s.n_prim, 0);
  d.Write({"    Primary inductivity", zone, zone, RoundTo(0.001 * s.AL * N * N, 0), " µH"});
  d.Write(
      {"    Max. magnetization,", RoundTo(s.fsntmin, 1), "kHz", zone, RoundTo(s.Bmax, 1), " mT"});
  if (fixed) {
    d.Write({"    Max. magnetization,", s.f_fix_min, "kHz", zone,
             RoundTo(MagnetizationAtFixedFrequency(s), 0), " mT"});
  }
  d.Write({"    Max. input- / outputpower ", zone, s.P_in_max, "W /", s.P_out_max, "W"});
  if (s.THP) d.Write({"    Limit of permanent output power", zone, s.P_perm, "W"});
}

void WriteElectrics(Dialogue& d, bool fixed) {
  const DesignState& s = d.state;
  // Currents and losses at f_fix_min grow with the longer period.
  const double fixed_factor = std::sqrt(s.fsntmin / s.f_fix_min);
  if (fixed) {
    d.Write({"    Max. cond. loss", s.mosfet_name, ",", s.f_fix_min, "kHz", zone,
             RoundTo(s.P_cond * fixed_factor, 1), "W"});
  } else {
    d.Write({"    Max. cond. loss in", s.mosfet_name, zone, s.P_cond, "W"});
  }
  d.Write({"    Induced voltage in prim. winding", zone, RoundTo(s.U_ts * s.n_prim, 0), "V"});
  d.Write({"    Max. drain voltage", zone, zone, RoundTo(s.U_D_max, 0), " V"});
  if (fixed) {
    d.Write({"    Max. drain current,", s.f_fix_min, "kHz", zone,
             RoundTo(s.I_D_max * fixed_factor, 2), " A"});
    d.Write({"    Lowest freq. (free running)", zone, zone, RoundTo(s.fsntmin, 1), " kHz"});
    d.Write({"    Fixed frequency range", zone, zone, s.f_fix_min, "-", s.f_fix_max, "kHz"});
  } else {
    d.Write({"    Max. drain current,", RoundTo(s.fsntmin, 0), "kHz", zone, RoundTo(s.I_D_max, 2),
             " A"});
    d.Write({"    Lowest SMPS- frequency / long. per.", zone, RoundTo(s.fsntmin, 1), "kHz /",
             RoundTo(1000 / s.fsntmin, 1), "µs"});
  }
  d.Write({"    Sec. voltage per turn", zone, zone, RoundTo(s.U_ts, 2), " V"});
  d.Write({"    Max. switch on time", zone, zone, RoundTo(s.t_on, 1), "µs"});
}

}  // namespace

Page ResultScreenPage(Dialogue& d) {
  DesignState& s = d.state;
  if (s.manual_mode) return Page::kWindingTable;
  const bool fixed = FixedFrequency(s);
  d.Clear();
  d.Write();
  d.Write({"    Result:"});
  d.Write();
  WriteCoreAndInput(d);
  WriteMagnetics(d, fixed);
  // The conduction-loss line needs the proposed MOSFET.
  dimension_components(s);
  s.I_prim_rms = PrimaryRmsCurrent(s);
  s.P_cond = ConductionLoss(s);
  WriteElectrics(d, fixed);
  if (!s.turns_kept) determine_turns(s);
  d.Write();
  d.Write({"    Giving out number of turns and voltages ? Yes(Ret) No(1)"});
  const std::string answer = d.Ask({"Show number of turns and voltages?", "yes(Ret) No(1)", ""});
  return answer == "1" ? Page::kMainMenu : Page::kWindingTable;
}

}  // namespace flyback

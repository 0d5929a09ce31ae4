// PFC, control IC, temporary high power circuit, opto regulation and the
// frequency mode, with the factors they set.

#include "engine/inputs/circuit_factors.h"
#include "pages/dialogue/pages.h"
#include "pages/inputs/circuit_options.h"

namespace flyback {

namespace {

void AskPfc(Dialogue& d, DesignInputs& s) {
  d.Clear();
  d.Write({" 'PFC' means Power Factor Correction for the mains input current."});
  d.Write();
  d.Write(
      {" This program uses for the PFC function the 'PFC charge pump circuit' which replaces "
       "the 'Snubber circuit'."});
  d.Write();
  d.Write(
      {" In the appendant circuit diagram the PFC charge pump circuit consists of the "
       "capacitor C08, the choke L08 and the diode D08."});
  d.Write();
  d.Write(
      {" According to the european standard EN 61000-3-2 PFC is necessary at an input power "
       "> 75 W."});
  d.Write();
  d.Write({" The calculated maximum input power of your power supply amounts", s.P_in_max, "W."});
  s.PFC = d.Ask({"PFC required ? (see note above)", " No(0)  Yes(Ret)", ""}) != "0";
}

void AskControlIc(Dialogue& d, DesignInputs& s) {
  d.Clear();
  d.Write({" The QRM1X305 is recommended for freerunning applications and standby burst mode."});
  d.Write();
  d.Write(
      {" The PWX 40218-2/19-2 is recommended for freerunning and fixed frequency "
       "applications."});
  const std::string answer =
      d.Ask({"Choice of control IC (see note above)", "PWX 40218-2/9-2 (1)  QRM1X305 (Ret)", ""});
  s.ic_type = answer == "1" ? ControlIc::kPwx : ControlIc::kQrm;
}

void AskTemporaryHighPower(Dialogue& d, DesignInputs& s) {
  s.THP = d.Ask({"With temporary high power circuit?", "No(Ret) Yes(1)", ""}) == "1";
  d.Clear();
  if (!s.THP) return;
  d.Write({" Maximum output power = ", s.P_out_max, "W"});
  s.P_perm = d.AskNumber({"Limit of permanent output power in W", "100", ""});
  d.Clear();
  s.t_THP = d.AskWholeNumber({" delay time for THP circuit in s", "1", ""});
}

void AskOptoRegulation(Dialogue& d, DesignInputs& s) {
  d.Clear();
  // Return means no opto regulation for up to three outputs, opto
  // regulation for four or more.
  if (s.n_sec <= 3) {
    s.opto_reg = d.Ask({"Regulation with opto coupler ?", "No (Ret) Yes(1)", ""}) == "1";
  } else {
    s.opto_reg = d.Ask({"Regulation with opto coupler ?", "No (0) Yes(Ret)", ""}) != "0";
  }
  if (s.opto_reg) {
    s.U_opto = d.AskNumber({"Nominal value of the opto regulated voltage in V", "135", ""},
                           Accept::kPositive);
  }
}

void SetDerivedFactors(DesignInputs& s) {
  const CircuitFactors factors = CircuitFactorsFor(s.PFC);
  s.k_ripple = factors.k_ripple;
  s.k_valley = factors.k_valley;
  s.k_T = factors.k_T;
  s.k_U = factors.k_U;
}

}  // namespace

void AskFixedFrequencies(Dialogue& d, DesignInputs& s) {
  s.f_fix_min = d.AskNumber({"Minimum fixed frequency in kHz ?", "50", ""}, Accept::kPositive);
  s.f_fix_max = d.AskNumber({"Maximum fixed frequency in kHz ?", "70", ""});
}

Page CircuitOptionsPage(Dialogue& d) {
  DesignInputs& s = d.parts().inputs(InputPagesKey{});
  AskPfc(d, s);
  AskControlIc(d, s);
  if (s.ic_type == ControlIc::kPwx) AskTemporaryHighPower(d, s);
  AskOptoRegulation(d, s);
  SetDerivedFactors(s);
  if (s.ic_type == ControlIc::kPwx) {
    d.Clear();
    s.fixed_freq = d.Ask({"Freerunnung or Fixed Frequency", "Free(Ret) Fixed(1)", ""}) == "1";
    if (s.fixed_freq) AskFixedFrequencies(d, s);
  }
  return Page::kTransformerType;
}

}  // namespace flyback

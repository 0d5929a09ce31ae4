// Opto-coupler calculator: the divider that sets the opto-regulated output
// voltage U1, from the wanted adjustment range and the trimmer value, with the
// range the rounded resistors really give and the loss in R65.

#include "components/opto_divider.h"
#include "console/number_text.h"
#include "dialogue/pages.h"

namespace flyback {

namespace {

// The upper end of the range; equal ends would leave the trimmer nothing to
// adjust and divide by zero.
double AskUpperRangeEnd(Dialogue& d, double U1rmin) {
  const Question question{"U1rmax", "150", ""};
  for (Question asked = question;; asked.prompt = hint::kDifferentFromU1rmin) {
    const double U1rmax = d.AskNumber(asked);
    if (U1rmax != U1rmin) return U1rmax;
  }
}

}  // namespace

Page OptoCouplerPage(Dialogue& d) {
  DesignState& s = d.state;
  d.Clear();
  d.Write();
  d.Write({" Range of adjustment for U1:"});
  d.Write();
  s.U1rmin = d.AskNumber({"U1rmin", "100", ""});
  d.Write({" U1min", zone, s.U1rmin, "V"});
  d.Write();
  s.U1rmax = AskUpperRangeEnd(d, s.U1rmin);
  d.Write({" U1rmax", zone, s.U1rmax, "V"});
  s.U_ref = kShuntReference;
  s.P60 = d.AskNumber({"P60 in kOhm", "2", ""}, Accept::kNonNegative);
  d.Write();
  d.Write({" P60 =", s.P60, "kOhm"});

  const OptoDivider divider = dimension_opto_divider(s.U1rmin, s.U1rmax, s.P60, s.U_ref);
  s.R60 = divider.R60;
  s.R65 = divider.R65;
  d.Write();
  d.Write({" R60", s.R60, "kOhm"});
  d.Write();
  d.Write({" R65", s.R65, "kOhm"});

  // The range the rounded parts give: trimmer at its maximum (low end) and at
  // zero (high end), V; the loss in R65 from the current through R60 (mA)
  // squared times R65 (kOhm), mW.
  const double U1_low = RoundTo(s.U_ref * (s.R65 + s.P60 + s.R60) / (s.P60 + s.R60), 1);
  const double U1_high = RoundTo(s.U_ref * (s.R65 + s.R60) / s.R60, 1);
  const double I_R60 = s.U_ref / s.R60;  // mA
  const double P_R65 = I_R60 * I_R60 * s.R65;
  d.Write();
  d.Write({" Real adjustment range", zone, U1_low, "-", U1_high, "V"});
  d.Write();
  d.Write({" Power dissipation in R65", zone, RoundTo(P_R65, 1), "mW"});

  const std::string again = d.Ask({"Calculate once more ?", "yes(1) no(Ret)", ""});
  return again == "1" ? Page::kOptoCoupler : Page::kMainMenu;
}

}  // namespace flyback

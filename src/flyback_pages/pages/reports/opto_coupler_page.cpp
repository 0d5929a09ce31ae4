// Opto-coupler calculator: the divider that sets the opto-regulated output
// voltage U1, from the wanted adjustment range and the trimmer value, with the
// range the rounded resistors really give and the loss in R65.

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/components/dimensioning.h"
#include "engine/components/opto_divider.h"
#include "pages/dialogue/pages.h"

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
  ComponentValues& c = d.parts().components(ComponentPagesKey{});
  d.Clear();
  d.Write();
  d.Write({" Range of adjustment for U1:"});
  d.Write();
  c.U1rmin = d.AskNumber({"U1rmin", "100", ""});
  d.Write({" U1min", zone, c.U1rmin, "V"});
  d.Write();
  c.U1rmax = AskUpperRangeEnd(d, c.U1rmin);
  d.Write({" U1rmax", zone, c.U1rmax, "V"});
  c.P60 = d.AskNumber({"P60 in kOhm", "2", ""}, Accept::kNonNegative);
  d.Write();
  d.Write({" P60 =", c.P60, "kOhm"});

  SetOptoDivider(c);
  d.Write();
  d.Write({" R60", c.R60, "kOhm"});
  d.Write();
  d.Write({" R65", c.R65, "kOhm"});

  // The range the rounded parts give; the loss in R65 from the current
  // through R60 (mA) squared times R65 (kOhm), mW.
  const OptoRange range = RealOptoRange(c.U_ref, c.R60, c.R65, c.P60);
  const double I_R60 = c.U_ref / c.R60;  // mA
  const double P_R65 = I_R60 * I_R60 * c.R65;
  d.Write();
  d.Write({" Real adjustment range", zone, range.U1_low, "-", range.U1_high, "V"});
  d.Write();
  d.Write({" Power dissipation in R65", zone, RoundTo(P_R65, 1), "mW"});

  const std::string again = d.Ask({"Calculate once more ?", "yes(1) no(Ret)", ""});
  return again == "1" ? Page::kOptoCoupler : Page::kMainMenu;
}

}  // namespace flyback

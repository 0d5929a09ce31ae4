// The conditions the transformer is calculated for: overshoot factor, mains
// range (or DC input), lowest switching frequency and magnetization limit.

#include <array>

#include "engine/inputs/mains.h"
#include "pages/dialogue/pages.h"
#include "pages/inputs/circuit_options.h"

namespace flyback {

namespace {

constexpr double kDefaultMagnetizationLimit = 300;  // mT, taken for the answer 0

void ChooseMainsRange(Dialogue& d, DesignInputs& s) {
  static const std::array<Line, 4> kMainsRangeChoices = {{
      {"Small (180 V - 270 V)", zone, "(1)"},
      {"Wide (90 V - 270 V)", zone, "(2)"},
      {"Special", zone, zone, "(3)"},
      {"DC input", zone, zone, "(4)"},
  }};
  d.Clear();
  d.Write({"Input voltage range"});
  d.Write();
  d.WriteChoices(kMainsRangeChoices);
  const std::string answer = d.Ask({"Mains input voltage range in V", "2", ""});
  s.dc_input = answer == "4";
  if (answer == "2") {
    s.U_mains_min = 90;
    s.U_mains_max = 270;
  } else if (answer == "3") {
    s.U_mains_min = d.AskNumber({"Min. mains voltage", "90", ""}, Accept::kPositive);
    s.U_mains_max = d.AskNumber({"Max. mains voltage", "270", ""});
  } else if (answer == "4") {
    // The calculation works with the rms voltage of the same peak.
    s.U_DC_min = d.AskNumber({"DC minimum value", "", ""}, Accept::kPositive);
    s.U_DC_max = d.AskNumber({"DC maximum value", "", ""});
    s.U_mains_min = s.U_DC_min / kSineCrestFactor;
    s.U_mains_max = s.U_DC_max / kSineCrestFactor;
  } else {
    s.U_mains_min = 180;
    s.U_mains_max = 270;
  }
}

void AskLowestFrequency(Dialogue& d, DesignInputs& s) {
  d.Clear();
  s.f_low_lim = d.AskNumber({"Lowest SMPS frequency in kHz ?", "20", ""});
}

void AskMagnetizationLimit(Dialogue& d, DesignInputs& s) {
  d.Clear();
  d.Write(
      {" The limit for the magnetization prevents the transformer from saturation and lies "
       "usally between 300 and 400 mT."});
  s.Bmaxlim = d.AskNumber({"Highest magnetization in mT", s.n_sec < 4 ? "340" : "310", ""},
                          Accept::kNonNegative);
  if (s.Bmaxlim == 0) s.Bmaxlim = kDefaultMagnetizationLimit;
}

}  // namespace

Page OvershootFactorPage(Dialogue& d) {
  DesignInputs& s = d.parts().inputs(InputPagesKey{});
  d.Clear();
  d.WriteEmptyLines(4);
  d.Write(
      {" Overshoot factor for drain voltage. This factor characterizes the height of the "
       "transformer overshoots."});
  d.Write();
  d.Write(
      {" The overshoot factor is the factor, by which the induced voltage in the primary "
       "winding has to be multiplied to take the overshoots into account."});
  d.Write();
  d.Write({" The factor without overshoots is 1, the normal range is 1.5 to 2.5."});
  s.k_os = d.AskNumber({"Overshoot factor for drain voltage", s.n_sec < 4 ? "1.75" : "2.4", ""});
  return Page::kMainsRange;
}

Page MainsRangePage(Dialogue& d) {
  const InputPagesKey key{};
  // Every calculation from here determines the winding turns anew (a
  // decision carried in the flow record).
  d.parts().DetermineTurnsAnew(key);
  if (d.design().flow.modify_transformer) return Page::kCalculateFullStart;
  DesignInputs& s = d.parts().inputs(key);
  ChooseMainsRange(d, s);
  AskLowestFrequency(d, s);
  AskMagnetizationLimit(d, s);
  // The transformer's working magnetization starts at the new limit.
  d.parts().StartAtMagnetizationLimit(key);
  return Page::kCalculateFullStart;
}

Page FrequencyLimitsPage(Dialogue& d) {
  const InputPagesKey key{};
  DesignInputs& s = d.parts().inputs(key);
  if (s.fixed_freq) AskFixedFrequencies(d, s);
  AskLowestFrequency(d, s);
  AskMagnetizationLimit(d, s);
  // The transformer's working magnetization starts at the new limit.
  d.parts().StartAtMagnetizationLimit(key);
  return Page::kCalculateFullStart;
}

}  // namespace flyback

#include "engine/reports/pfc_choke.h"

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "base/numbers/units.h"
#include "engine/inputs/mains.h"
#include "engine/transformer/wire.h"

namespace flyback {

namespace {

constexpr double kCurrentDensity = 7;  // A/mm²

}  // namespace

PfcChoke CalculatePfcChoke(double L_pfc, double I_pfc, double d_pfc, double AL_pfc, double Ae_pfc) {
  PfcChoke c{};
  c.L_pfc = L_pfc;
  c.I_pfc = I_pfc;
  c.d_pfc = d_pfc;
  c.AL_pfc = AL_pfc;
  c.Ae_pfc = Ae_pfc;
  // L x I / (n x Ae) with the unrounded turns n = 1000 x sqrt(L / AL), in mT
  // for L in mH, AL in nH and Ae in mm².
  c.Bmax_pfc = RoundTo(1000 * I_pfc * std::sqrt(L_pfc * AL_pfc) / Ae_pfc, 0);
  c.J_pfc = kCurrentDensity;
  // The peak current is the crest of a sine: its rms value over the density.
  c.A_min_pfc = CrossSection(I_pfc / kSineCrestFactor, c.J_pfc);
  // From the rounded minimum and the unrounded wire.
  c.n_wires_pfc = WireCount(c.A_min_pfc, WireCrossSection(d_pfc));
  c.n_pfc = RoundTo(std::sqrt(L_pfc * kNanohenryPerMillihenry / AL_pfc), 0);
  c.A_wire_pfc = RoundTo(WireCrossSection(d_pfc), 3);
  return c;
}

}  // namespace flyback

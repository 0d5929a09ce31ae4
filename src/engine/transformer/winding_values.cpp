#include "transformer/winding_values.h"

#include <cmath>

#include "console/number_text.h"
#include "transformer/transformer_calculation.h"

namespace flyback {

namespace {

constexpr double kPi = 3.1416;  // as the wire tables use it

// Fraction of the period in which the primary current flows, over 3: the
// square of the rms factor of a triangular pulse.
double PrimaryPulseShare(const DesignState& s) {
  return s.t_on / (3 * (s.t_on + s.t_off));
}

}  // namespace

double WireCrossSection(double d_wire) {
  return (d_wire / 2) * (d_wire / 2) * kPi;
}

double WireCount(double cross_section, double A_wire) {
  return std::floor(cross_section / A_wire) + 1;
}

double CrossSection(double I_rms, double J) {
  return RoundTo(I_rms / J, 2);
}

bool WiresMode(const DesignState& s) {
  return s.wire_mode == "1";
}

double PrimaryRmsCurrent(const DesignState& s) {
  double I_rms = RoundTo(s.I_D_max * std::sqrt(PrimaryPulseShare(s)), 2);
  if (FixedFrequency(s)) I_rms = RoundTo(I_rms * s.k_fix, 2);
  return I_rms;
}

double ConductionLoss(const DesignState& s) {
  const double I_D_max_squared = s.I_D_max * s.I_D_max;
  return RoundTo(2 * s.R_DSon * I_D_max_squared * s.t_on / (3 * (s.t_on + s.t_off)), 1);
}

double SecondaryRmsCurrent(const DesignState& s, int i) {
  double I_rms = 2 * s.output(i).Imax * std::sqrt((1000 / s.fsntmin) / (3 * s.t_off));
  if (FixedFrequency(s)) I_rms *= s.k_fix;
  return RoundTo(I_rms, 2);
}

double IcSupplyVoltage(const DesignState& s) {
  return RoundTo(s.nic * s.U_ts * s.k_ic - s.U_F_ic, 2);
}

double OutputVoltage(const DesignState& s, int i) {
  const Output& out = s.output(i);
  return RoundTo(out.n * s.U_ts * out.k_out - s.U_F_sec, 2);
}

void UpdateWindingValues(DesignState& s) {
  s.I_prim_rms = PrimaryRmsCurrent(s);
  s.A_prim = CrossSection(s.I_prim_rms, s.J);
  s.U_ic_act = IcSupplyVoltage(s);
  for (int i = 1; i <= s.n_sec; ++i) {
    Output& out = s.output(i);
    out.I_sec_rms = SecondaryRmsCurrent(s, i);
    out.A_sec = CrossSection(out.I_sec_rms, s.J);
  }
}

}  // namespace flyback

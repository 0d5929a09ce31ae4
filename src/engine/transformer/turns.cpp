#include "transformer/turns.h"

#include "console/number_text.h"

namespace flyback {

namespace {

constexpr double kSupplyPwx = 12;     // V, PWX 40218-2 / PWX 40219 family
constexpr double kSupplyQrm = 16;     // V, QRM1X305
constexpr double kLowestSupply = 10;  // V, the IC supply must not fall below

}  // namespace

void determine_turns(DesignState& s) {
  s.U_IC = s.ic_type == 1 ? kSupplyPwx : kSupplyQrm;
  s.nic = RoundTo((s.U_IC + s.U_F_ic) / (s.U_ts * s.k_ic), 0);
  if (s.nic * s.U_ts * s.k_ic < kLowestSupply + s.U_F_ic) s.nic += 1;
  for (int i = 1; i <= s.n_sec; ++i) {
    Output& out = s.output(i);
    out.n = RoundTo(((out.Umax + out.Umin) * 0.5 + s.U_F_sec) / (s.U_ts * out.k_out), 0);
  }
}

}  // namespace flyback

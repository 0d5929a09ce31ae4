#include "engine/transformer/turns.h"

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

constexpr double kSupplyPwx = 12;     // V, PWX 40218-2 / PWX 40219 family
constexpr double kSupplyQrm = 16;     // V, QRM1X305
constexpr double kLowestSupply = 10;  // V, the IC supply must not fall below

}  // namespace

double IcSupplyTarget(ControlIc ic_type) {
  return ic_type == ControlIc::kPwx ? kSupplyPwx : kSupplyQrm;
}

VoltageWindow IcSupplyWindowOf(const DesignInputs& in, const TransformerDesign& t) {
  return {kLowestSupply, RoundTo(IcSupplyTarget(in.ic_type) + t.U_ts * in.k_ic, 2)};
}

void determine_turns(const DesignInputs& in, TransformerDesign& t) {
  t.nic = RoundTo((IcSupplyTarget(in.ic_type) + in.U_F_ic) / (t.U_ts * in.k_ic), 0);
  if (t.nic * t.U_ts * in.k_ic < kLowestSupply + in.U_F_ic) t.nic += 1;
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    t.n_out(i) = RoundTo(((out.Umax + out.Umin) * 0.5 + in.U_F_sec) / (t.U_ts * out.k_out), 0);
  }
}

}  // namespace flyback

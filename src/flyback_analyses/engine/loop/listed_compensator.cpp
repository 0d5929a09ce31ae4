#include "engine/loop/listed_compensator.h"

#include "engine/components/opto_feedback_parts.h"

namespace flyback {

namespace {

constexpr double kNanofaradPerPicofarad = 1e-3;

}  // namespace

OptoCompensator ListedCompensatorOf(const DesignState& s) {
  OptoCompensator c;
  c.R_up_kOhm = s.components.R65;
  c.R_LED_kOhm = kR61_kOhm;
  c.R_z_kOhm = kR63_kOhm;
  c.C_z_nF = kC61_nF;
  c.C_p_nF = kC62_pF * kNanofaradPerPicofarad;
  c.C_pole_nF = s.inputs.ic_type == ControlIc::kPwx ? kC28PwxOpto_nF : kC28QrmOpto_nF;
  return c;
}

}  // namespace flyback

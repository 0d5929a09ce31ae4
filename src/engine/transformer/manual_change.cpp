#include "transformer/manual_change.h"

namespace flyback {

void SetPrimaryTurns(DesignState& s, double n_prim) {
  // Equal to U_mains_min × √2 / U_ts.
  const double K = s.n_prim * s.q_D;
  s.n_prim = n_prim;
  s.q_D = K / n_prim;
  s.D_max = 1 / ((s.q_D + 1) * s.k_T);
  s.I_D_max = 2 * s.I_in_avg / s.D_max;
  s.Bmax = s.n_prim * s.I_D_max * s.AL / s.Ae;
}

}  // namespace flyback

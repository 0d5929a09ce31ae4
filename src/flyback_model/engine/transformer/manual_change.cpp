#include "engine/transformer/manual_change.h"

namespace flyback {

void SetPrimaryTurns(const DesignInputs& in, TransformerDesign& t, double n_prim) {
  // Equal to U_mains_min × √2 / U_ts.
  const double K = t.n_prim * t.q_D;
  t.n_prim = n_prim;
  t.q_D = K / n_prim;
  t.D_max = 1 / ((t.q_D + 1) * in.k_T);
  t.I_D_max = 2 * t.I_in_avg / t.D_max;
  t.Bmax = t.n_prim * t.I_D_max * in.AL / in.Ae;
}

}  // namespace flyback

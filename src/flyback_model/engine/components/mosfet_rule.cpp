// Switching MOSFET T01.

#include "engine/components/selection_rules.h"

namespace flyback {

const MosfetRow& select_mosfet(double U_D_lim, double I_D_max_fix) {
  const MosfetRow* row =
      FirstRowAtMost(kMosfets, &MosfetRow::U_D_lim_max, U_D_lim, &MosfetRow::I_D_max, I_D_max_fix);
  // Every class ends with a row for any current and the last class takes any
  // voltage: only values that are no number find no row.
  return row != nullptr ? *row : kMosfets.back();
}

}  // namespace flyback

// PFC choke L08.

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/components/pfc_choke_catalogue.h"
#include "engine/components/selection_rules.h"

namespace flyback {

PfcChokeChoice select_pfc_choke(double L_prim, double I_mains_max) {
  const double I_rounded = RoundTo(I_mains_max, 1);  // A
  if (L_prim >= kPfcChokeLowestL_prim) {
    const PfcChokeRow* row = FirstRowAtMost(kPfcChokes, &PfcChokeRow::L_prim_max, L_prim,
                                            &PfcChokeRow::I_mains_max, I_mains_max);
    if (row != nullptr) return {row->L08, row->I_L08.value_or(I_rounded), row->proposal};
  }
  // No catalogue choke: about 1/300 of the primary inductance, in mH with two
  // decimals.
  return {RoundTo(L_prim / 3, 0) / 100, I_rounded, kNoPfcChoke};
}

}  // namespace flyback

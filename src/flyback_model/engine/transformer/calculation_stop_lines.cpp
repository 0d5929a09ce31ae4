#include "engine/transformer/calculation_stop_lines.h"

#include "base/numbers/rounding.h"
#include "engine/transformer/magnetics.h"

namespace flyback {

Line DrainLimitTooLowLine(double U_D_lim) {
  return {"Limit of drain voltage", U_D_lim, "V too low !"};
}

Line FrequencyUnreachableLine() {
  return {" The lowest SMPS frequency cannot be reached with this transformer."};
}

Line MagnetizationTooHighLine(const DesignInputs& in, const TransformerDesign& t) {
  return {" Bmax at min. fixed freq.(", RoundTo(MagnetizationAtFixedFrequency(in, t), 0),
          "mT) is higher than Bmaxlim (", in.Bmaxlim, "mT )!"};
}

}  // namespace flyback

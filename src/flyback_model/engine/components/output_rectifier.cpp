#include "engine/components/output_rectifier.h"

#include "engine/components/selection_rules.h"

namespace flyback {

double OutputRectifierReverseVoltage(const DesignState& s, int i) {
  const TransformerDesign& t = s.transformer;
  return t.U_bus_max * t.n_out(i) / t.n_prim * s.inputs.k_os_sec + s.inputs.output(i).Umax;
}

const Proposal& OutputRectifierOf(const DesignState& s, int i) {
  return select_output_diode(OutputRectifierReverseVoltage(s, i), s.inputs.output(i).Imax);
}

}  // namespace flyback

// Rectifier diodes: outputs, DC filter and PFC circuit.

#include "engine/components/diode_catalogue.h"
#include "engine/components/selection_rules.h"

namespace flyback {

const Proposal& select_output_diode(double U_rev, double Imax) {
  using diode::OutputDiodeRow;
  const double I_diode = kOutputDiodeCurrentFactor * Imax;  // A
  const OutputDiodeRow* row = FirstRowAtMost(diode::kOutputDiodes, &OutputDiodeRow::U_rev_max,
                                             U_rev, &OutputDiodeRow::I_diode_max, I_diode);
  return row != nullptr ? row->proposal : diode::kNone;
}

const Proposal& select_D05(double I_in_avg) {
  return LastAbove(diode::kD05, I_in_avg);
}

const Proposal& select_pfc_diode(double I_D_max) {
  return LastAbove(diode::kPfcDiode, I_D_max);
}

const Proposal& select_D09(double I_D_max) {
  return FirstBelow(diode::kD09, I_D_max);
}

}  // namespace flyback

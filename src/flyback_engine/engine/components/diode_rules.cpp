// Rectifier diodes: outputs, DC filter and PFC circuit.

#include "engine/components/diode_catalogue.h"
#include "engine/components/selection_rules.h"

namespace flyback {

std::string_view select_output_diode(double U_rev, double Imax) {
  using diode::OutputDiodeRow;
  const double I_diode = kOutputDiodeCurrentFactor * Imax;  // A
  const OutputDiodeRow* row = FirstRowAtMost(diode::kOutputDiodes, &OutputDiodeRow::U_rev_max,
                                             U_rev, &OutputDiodeRow::I_diode_max, I_diode);
  return row != nullptr ? row->text : diode::kNone;
}

std::string_view select_D05(double I_in_avg) {
  return LastTextAbove(diode::kD05, I_in_avg);
}

std::string_view select_pfc_diode(double I_D_max) {
  return LastTextAbove(diode::kPfcDiode, I_D_max);
}

std::string_view select_D09(double I_D_max) {
  return FirstTextBelow(diode::kD09, I_D_max);
}

}  // namespace flyback

// Electrolytic capacitor of an output (and the voltage rating of the DC
// filter capacitor).

#include "engine/components/catalogue_lookup.h"
#include "engine/components/selection_rules.h"
#include "engine/components/step_lists.h"

namespace flyback {

namespace {

// Capacitance demand in µF: 20000 µF per A and V of ripple-free output. An
// output of 0 V demands the largest capacitor when it carries current, the
// smallest when it does not.
double CapacitanceDemand(double U, double I) {
  if (U == 0) return I > 0 ? kNoLimit : 0;
  return 20000 * I / U;
}

// The voltage rating's margin over an output's highest voltage.
constexpr double kOutputVoltageMargin = 1.25;

}  // namespace

CapacitorChoice select_capacitor(double U, double I) {
  return {FirstStepNotBelow(kOutputCapacitorVoltages, U),
          FirstStepNotBelow(kOutputCapacitances, CapacitanceDemand(U, I))};
}

CapacitorChoice ListedOutputCapacitor(const OutputSpec& out) {
  return select_capacitor(kOutputVoltageMargin * out.Umax, out.Imax);
}

}  // namespace flyback

#include "engine/inputs/power_budget.h"

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

double OutputPower(const DesignInputs& inputs) {
  double sum = 0;
  for (int i = 1; i <= inputs.n_sec; ++i) sum += inputs.output(i).Umax * inputs.output(i).Imax;
  return RoundTo(sum, 1);
}

double InputPower(double P_out_max, double eta) {
  return std::nearbyint(10 * P_out_max / eta) / 10;
}

double LossBudget(const DesignInputs& inputs) {
  return RoundTo(inputs.P_in_max - inputs.P_out_max, 1);
}

double CurrentDensity(double P_in_max) {
  double J = 4;
  if (P_in_max < 150) J = 6;
  if (P_in_max < 75) J = 8;
  return J;
}

}  // namespace flyback

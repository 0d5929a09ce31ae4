#pragma once

#include "state/design/design_inputs.h"

namespace flyback {

// Maximum output power: the sum of Umax × Imax in output order, to 0.1 W.
double OutputPower(const DesignInputs& inputs);

// Maximum input power: 10 × P_out_max / eta rounded half-to-even to a whole
// number, divided by 10 (W).
double InputPower(double P_out_max, double eta);

// W, what the efficiency leaves for losses: P_in_max − P_out_max, to 0.1 W.
double LossBudget(const DesignInputs& inputs);

// Current density of the windings in A/mm²: 8 below 75 W input power, 6 below
// 150 W, 4 from 150 W on.
double CurrentDensity(double P_in_max);

}  // namespace flyback

#pragma once

// The waveforms of a simulated operating point over its last periods: the
// drain voltage with the drain limit, and the currents drawn over the
// calculated ones; and output 1 across the load step. They only draw.

#include "engine/overview/design_overview.h"
#include "engine/simulation/simulation_comparison.h"

class QChart;

namespace flyback {

QChart* SimulatedDrainVoltageChart(const SimulatedPoint& point, double U_D_lim_V);

// The simulated drain current and the secondary currents reflected to the
// primary (every winding's current times its turns over the primary's),
// with the calculated current waveforms of one period at the same bus
// voltage from the first turn-on shown, dashed; the legend has the two
// currents, the title says which line is which.
QChart* SimulatedCurrentsChart(const SimulatedPoint& point, const CurrentWaveforms& calculated);

// Output 1 averaged over whole switching periods across the load step
// against time, the load's two edges as dashed vertical lines; the title
// says which line is which.
QChart* LoadStepChart(const LoadStepResponse& response);

}  // namespace flyback

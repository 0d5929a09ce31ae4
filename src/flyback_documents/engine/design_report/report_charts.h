#pragma once

// The charts of the design report as inline SVG: the voltage window of every
// output with its actual voltage, the currents over one switching period,
// and the accuracy of the optimization's sweep.

#include <string>
#include <vector>

#include "engine/overview/design_overview.h"
#include "engine/transformer/optimization_record.h"

namespace flyback {

std::string OutputWindowsSvg(const std::vector<OutputBar>& bars);

std::string CurrentWaveformsSvg(const CurrentWaveforms& waveforms);

// The accuracy product of every rated step over Bmax, the listed rows and
// the best one marked, and the Bmax chosen for the final calculation.
std::string OptimizationSweepSvg(const OptimizationRecord& record);

}  // namespace flyback

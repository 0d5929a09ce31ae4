#pragma once

// The charts of the design report as inline SVG: the voltage window of every
// output with its actual voltage, the currents over one switching period,
// and the accuracy of the optimization's sweep.

#include <vector>

#include "engine/design_report/html_text.h"
#include "engine/overview/design_overview.h"
#include "engine/transformer/optimization_record.h"

namespace flyback {

Html OutputWindowsSvg(const std::vector<OutputBar>& bars);

Html CurrentWaveformsSvg(const CurrentWaveforms& waveforms);

// The accuracy product of every rated step over Bmax, the listed rows and
// the best one marked, and the Bmax chosen for the final calculation.
Html OptimizationSweepSvg(const OptimizationRecord& record);

}  // namespace flyback

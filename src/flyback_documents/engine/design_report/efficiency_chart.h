#pragma once

// The efficiency over load as an inline SVG chart for the design report.

#include "engine/design_report/html_text.h"
#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"

namespace flyback {

// The efficiency (%) against the load (10 ... 100 % of P_out_max) at each
// input voltage of `map`, one line each, and the limits of `rules`: a rule's
// least 4-point average as a dashed line over 25 ... 100 % load, its least
// efficiency at 10 % load as a short dashed bar at that load.
Html EfficiencySvg(const EfficiencyMap& map, const RulesCheck& rules);

}  // namespace flyback

#pragma once

// The Bode plot of one corner of the feedback loop as inline SVG for the
// design report.

#include "engine/design_report/html_text.h"
#include "engine/loop/loop_design.h"

namespace flyback {

// Two charts side by side over the corner's sweep (frequency on a decade
// scale): the loop gain in dB with the 0 dB line and the crossover marked,
// and the phase in degrees with the −180° line and the phase at the
// crossover marked.
Html BodeSvg(const LoopCorner& corner);

}  // namespace flyback

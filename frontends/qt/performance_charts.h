#pragma once

// The charts of the overview's tabs "Efficiency" and "Loop", drawn from the
// design's one evaluation: they only draw, and compute no figure of it.

#include <QColor>
#include <QString>
#include <vector>

#include "engine/efficiency/efficiency_map.h"
#include "engine/efficiency/rule_verdicts.h"
#include "engine/loop/loop_design.h"
#include "engine/simulation/load_point_comparison.h"
#include "engine/simulation/loop_simulation.h"

class QChart;

namespace flyback {

// The efficiency (%) against the load (% of P_out_max) at each input voltage
// of `map`, and the limits of `rules`: each rule's least 4-point average as a
// dashed line over 25 ... 100 % load, its least efficiency at 10 % load as a
// short dashed bar there; the load points a simulation gave (`simulated`,
// none before one has ended) as markers.
QChart* EfficiencyChart(const EfficiencyMap& map, const RulesCheck& rules,
                        const std::vector<SimulatedLoadPoint>& simulated = {});

enum class BodeQuantity { kGain, kPhase };

// The colour of `corner`'s curve: the hue by its load, darker at the line end
// of the loop's later corners (the highest input voltage). Its curve is
// dashed at a CTR below the design's.
QColor CornerColour(const LoopDesign& loop, const LoopCorner& corner);
bool CornerDashed(const LoopDesign& loop, const LoopCorner& corner);

// The loop gain (dB) or phase (°) of every corner of `loop` against the
// frequency on a decade scale, each in its colour and dash (the margins
// table beside it names the corners in their colours); the 0 dB or −180°
// line drawn. With `simulated` (the .ac runs of some corners) each run's
// points as markers in its corner's colour: those of the curves' parts
// (where `curves_simulated`: ngspice ran the parts the curves are of) as
// hollow circles over their curves, the proposal's as filled squares where
// they ran the proposal `loop` holds, the legend naming only the two.
QChart* BodeChart(const LoopDesign& loop, BodeQuantity quantity,
                  const LoopSimulation* simulated = nullptr, bool curves_simulated = true);

}  // namespace flyback

#pragma once

// One corner of the feedback loop as an ngspice netlist for an .ac run: the
// power stage as a large-signal averaged model (ngspice linearizes it at its
// own operating point, so the run does not share the small-signal formulas
// of power_stage_model.h), the designed compensator as its parts, and the
// loop broken at output 1 by a voltage injection (Middlebrook). The loop
// gain is T = −V(kLoopReturnNode)/V(kLoopInjectNode). docs/loop.md gives the
// model, its sources and its limits.

#include <string>
#include <vector>

#include "engine/loop/loop_design.h"

namespace flyback {

// The node the stage drives (output 1) and the node the compensator senses,
// the injection source between them.
inline constexpr const char* kLoopReturnNode = "out";
inline constexpr const char* kLoopInjectNode = "sense";

// An output's capacitor referred to output 1 by its stored energy:
// C·(U_i/U_1)², its series resistance ESR·(U_1/U_i)².
struct ReferredCapacitor {
  double C_uF = 0;  // µF
  double ESR_ohm = 0;
};

// What a corner's circuit is made of beside the corner itself.
struct LoopCircuit {
  OptoCompensator parts;  // the compensator's parts
  RegulatedOutput output;
  std::vector<ReferredCapacitor> capacitors;  // every output's, output 1 first
  LoopAssumptions assumptions;
  double I_limit_A = 0;  // A, the peak current the current-sense threshold stands for
  double U_ref_V = 0;    // V, the shunt regulator's reference
};

// The circuit of the design `s` with its loop `loop` (the corners' parts)
// and its `budget`.
LoopCircuit LoopCircuitOf(const DesignState& s, const LossBudget& budget, const LoopDesign& loop);

// The netlist of `corner`, swept from f_start_Hz to f_stop_Hz at
// points_per_decade.
std::string LoopNetlist(const LoopCorner& corner, const LoopCircuit& circuit, double f_start_Hz,
                        double f_stop_Hz, int points_per_decade);

}  // namespace flyback

#pragma once

// The loop of the optimization of the output voltages, without a console:
// Bmax falls in steps of 0.25 mT from its start value, every step is
// calculated (same duty cycle and peak current), its turns are determined
// anew unless kept, and the step is rated (optimization_rating.h) until the
// list of local maxima ends. The dialogue drives it with its pages; the core
// adviser runs it for a candidate as the dialogue does when every question
// is answered with Return.

#include <functional>

#include "engine/transformer/optimization_rating.h"
#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// mT per step of the sweep.
inline constexpr double kSweepBmaxStep_mT = 0.25;

struct SweepHooks {
  // Calculates `t` at its present Bmax; false where the lowest frequency
  // cannot be reached, which ends the list as the user would.
  std::function<bool()> calculate;
  // A step was rated (optional).
  std::function<void(const SweepPoint&)> step_rated;
  // A row was listed; false where the list is to end (the user finished it).
  std::function<bool(const OptimizationSweep&)> row_listed;
};

// Sweeps t.Bmax downwards from its present value until the list ends, with
// the turns of `t` determined anew at every step unless `turns_kept`.
void SweepMagnetization(const DesignInputs& in, TransformerDesign& t, bool turns_kept,
                        OptimizationSweep& sweep, const SweepHooks& hooks);

}  // namespace flyback

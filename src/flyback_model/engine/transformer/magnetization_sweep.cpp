#include "engine/transformer/magnetization_sweep.h"

#include "engine/transformer/turns.h"

namespace flyback {

namespace {

constexpr int kMaxSteps = 100000;  // a sweep that long has lost its way

}  // namespace

void SweepMagnetization(const DesignInputs& in, TransformerDesign& t, bool turns_kept,
                        OptimizationSweep& sweep, const SweepHooks& hooks) {
  for (int step = 1;; ++step) {
    if (!hooks.calculate()) return;
    if (!turns_kept) determine_turns(in, t);
    const SweepPoint present{AccuracyProduct(in, t), t.Bmax, t.fsntmin, t.U_ts};
    if (hooks.step_rated) hooks.step_rated(present);
    switch (sweep.Step(present)) {
      case OptimizationSweep::Outcome::kListEnds:
        return;
      case OptimizationSweep::Outcome::kRowListed:
        if (!hooks.row_listed(sweep)) return;
        break;
      case OptimizationSweep::Outcome::kGoOn:
        break;
    }
    // Primary turns of 0 have no meaning; nor has an endless sweep.
    if (t.Bmax - kSweepBmaxStep_mT <= 0 || step >= kMaxSteps) return;
    t.Bmax -= kSweepBmaxStep_mT;
  }
}

}  // namespace flyback

#include "engine/adviser/voltage_optimization.h"

#include "engine/transformer/magnetization_sweep.h"
#include "engine/transformer/transformer_calculation.h"
#include "engine/transformer/turns.h"
#include "engine/transformer/voltage_window.h"
#include "engine/transformer/winding_values.h"

namespace flyback {

namespace {

// The calculation of a sweep step and of the final design: same duty cycle
// and peak current, at the present Bmax.
bool CalculateAtPresentBmax(const DesignInputs& in, TransformerDesign& t) {
  TransformerCalculation calculation(CalculationEntry::kSameDutyCycleAndCurrent,
                                     CalculationRules::kEnforceLimits);
  return calculation.Run(in, t, /*ask_drain_limit=*/false) !=
         CalculationStop::kFrequencyUnreachable;
}

}  // namespace

bool OutputOutsideItsWindow(const DesignState& s) {
  for (int i = 1; i <= s.inputs.n_sec; ++i) {
    const double U_V = OutputVoltage(s.inputs, s.transformer, i);
    if (U_V > 0 && !InWindow(U_V, OutputWindow(s.inputs, i))) return true;
  }
  return false;
}

bool OptimizeOutputVoltages(DesignState& s) {
  const DesignInputs& in = s.inputs;
  TransformerDesign& t = s.transformer;
  // A start value of 0 (Return) stands for the magnetization limit.
  t.Bmax = in.Bmaxlim;
  OptimizationSweep sweep({0, t.Bmax, t.fsntmin, t.U_ts});
  SweepHooks hooks;
  hooks.calculate = [&in, &t] { return CalculateAtPresentBmax(in, t); };
  // "Continue?" answered with Return: the list goes on to its end.
  hooks.row_listed = [](const OptimizationSweep& /*listing*/) { return true; };
  SweepMagnetization(in, t, /*turns_kept=*/false, sweep, hooks);
  t.Bmax = sweep.best().Bmax;
  if (!CalculateAtPresentBmax(in, t)) return false;
  determine_turns(in, t);
  return true;
}

}  // namespace flyback

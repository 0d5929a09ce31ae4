#pragma once

// The iterative transformer calculation for the worst case (lowest input
// voltage at full input power), without any console: it runs until the
// design is finished or until the user has to be asked, and can then be
// resumed. Two nested corrections:
//  - the duty cycle starts at 0.75 and falls by 1 % per pass until the drain
//    voltage including the overshoots no longer exceeds the drain limit;
//  - the magnetization falls by 1 mT per pass until the lowest switching
//    frequency reaches the lower limit (and, at fixed frequency, the maximum
//    fixed frequency). Fewer primary turns mean less inductance and a higher
//    frequency; the drain voltage depends on the duty cycle only.
// It reads the inputs of the design and writes the transformer only.

#include <optional>

#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// Where a calculation begins, and what the caller has set before.
enum class CalculationEntry {
  kFullStart,                // every input; D_max starts at 0.75
  kSameDutyCycle,            // Bmax, D_max, I_in_avg
  kSameDutyCycleAndCurrent,  // Bmax, D_max, I_D_max
  kFromDrainVoltage,         // n_prim, q_D, D_max, I_D_max, Bmax; U_ts and U_bus_max kept
};

// Which limits the calculation enforces.
enum class CalculationRules {
  kEnforceLimits,  // the drain-voltage limit and the lowest frequency
  kManual,         // none: a design changed by hand is taken as it stands
};

// Why the calculation has stopped.
enum class CalculationStop {
  kFinished,
  kAskDrainLimit,         // the drain-voltage limit must be set, then resume
  kDrainLimitTooLow,      // no duty cycle down to 0.1 meets U_D_lim; resume restarts in full
  kMagnetizationWarning,  // finished, but at fixed frequency Bmax at f_fix_min is not below Bmaxlim
  kFrequencyUnreachable,  // Bmax cannot be lowered any further; stopped for good
};

// Largest number of 1 mT steps the frequency loop takes in one calculation.
inline constexpr int kMaxMagnetizationSteps = 100000;

// Automatic drain-voltage limit (V) by the highest mains voltage (V rms).
double AutomaticDrainLimit(double U_mains_max);

class TransformerCalculation {
 public:
  TransformerCalculation(CalculationEntry entry, CalculationRules rules);

  // Runs from where the calculation stands until it finishes or stops. With
  // `ask_drain_limit` it stops for the drain-voltage limit when it reaches
  // the drain-voltage check; otherwise it checks against U_D_lim.
  CalculationStop Run(const DesignInputs& in, TransformerDesign& t, bool ask_drain_limit);

  // Passes through the calculation of the turns so far, and those that
  // lowered the duty cycle and the magnetization.
  int passes() const { return passes_; }
  int duty_cycle_reductions() const { return duty_cycle_reductions_; }
  int magnetization_reductions() const { return magnetization_reductions_; }

 private:
  enum class Step {
    kFullStart,
    kSameDutyCycle,
    kSameDutyCycleAndCurrent,
    kFromDrainVoltage,
    kDrainVoltageCheck,
    kTimesAndFrequency,
    kEnd,
  };

  // One step of the algorithm; sets next_ and tells whether to stop.
  std::optional<CalculationStop> Advance(const DesignInputs& in, TransformerDesign& t,
                                         bool ask_drain_limit);
  std::optional<CalculationStop> CheckDrainVoltage(const DesignInputs& in, TransformerDesign& t);
  std::optional<CalculationStop> TimesAndFrequency(const DesignInputs& in, TransformerDesign& t);

  CalculationRules rules_;
  Step next_ = Step::kFullStart;
  int passes_ = 0;
  int duty_cycle_reductions_ = 0;
  int magnetization_reductions_ = 0;
};

}  // namespace flyback

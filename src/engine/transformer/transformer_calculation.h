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

#include <optional>

#include "design/design_state.h"

namespace flyback {

// Where a calculation begins, and what the caller has set before.
enum class CalculationEntry {
  kFullStart,                // every input; D_max starts at 0.75
  kSameDutyCycle,            // Bmax, D_max, I_in_avg
  kSameDutyCycleAndCurrent,  // Bmax, D_max, I_D_max
  kFromDrainVoltage,         // n_prim, q_D, D_max, I_D_max, Bmax; U_ts and U_bus_max kept
};

// Why the calculation has stopped.
enum class CalculationStop {
  kFinished,
  kAskDrainLimit,         // the drain-voltage-limit page must set U_D_lim, then resume
  kDrainLimitTooLow,      // no duty cycle down to 0.1 meets U_D_lim; resume restarts in full
  kMagnetizationWarning,  // fixed frequency: Bmax at f_fix_min is not below Bmaxlim; finished
  kFrequencyUnreachable,  // Bmax cannot be lowered any further; stopped for good
};

// Largest number of 1 mT steps the frequency loop takes in one calculation.
inline constexpr int kMaxMagnetizationSteps = 100000;

// Automatic drain-voltage limit (V) by the highest mains voltage (V rms).
double AutomaticDrainLimit(double U_mains_max);

// The design runs at a fixed frequency between f_fix_min and f_fix_max.
inline bool FixedFrequency(const DesignState& s) {
  return s.fixed_freq == "1";
}

// Magnetization (mT) at the minimum fixed frequency: the same flux swing
// over the longer period of f_fix_min.
double MagnetizationAtFixedFrequency(const DesignState& s);

class TransformerCalculation {
 public:
  explicit TransformerCalculation(CalculationEntry entry);

  // Runs from where the calculation stands until it finishes or stops.
  CalculationStop Run(DesignState& s);

  // Passes that lowered the duty cycle and the magnetization so far.
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
  std::optional<CalculationStop> Advance(DesignState& s);
  std::optional<CalculationStop> CheckDrainVoltage(DesignState& s);
  std::optional<CalculationStop> TimesAndFrequency(DesignState& s);

  Step next_ = Step::kFullStart;
  int duty_cycle_reductions_ = 0;
  int magnetization_reductions_ = 0;
};

}  // namespace flyback

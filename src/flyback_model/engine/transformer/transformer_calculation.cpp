#include "engine/transformer/transformer_calculation.h"

#include <cmath>

#include "engine/inputs/mains.h"
#include "engine/transformer/magnetics.h"

namespace flyback {

namespace {

constexpr double kStartDutyCycle = 0.75;
constexpr double kDutyCycleStep = 0.99;  // 1 % less per pass
constexpr double kLowestDutyCycle = 0.1;
constexpr double kMagnetizationStep = 1;  // mT per pass of the frequency loop

}  // namespace

double AutomaticDrainLimit(double U_mains_max) {
  // The tests are made in this order, each overriding the one before.
  double limit = 600;
  if (U_mains_max < 200) limit = 400;
  if (U_mains_max < 100) limit = 200;
  if (U_mains_max < 50) limit = 100;
  return limit;
}

TransformerCalculation::TransformerCalculation(CalculationEntry entry, CalculationRules rules)
    : rules_(rules) {
  switch (entry) {
    case CalculationEntry::kFullStart:
      next_ = Step::kFullStart;
      break;
    case CalculationEntry::kSameDutyCycle:
      next_ = Step::kSameDutyCycle;
      break;
    case CalculationEntry::kSameDutyCycleAndCurrent:
      next_ = Step::kSameDutyCycleAndCurrent;
      break;
    case CalculationEntry::kFromDrainVoltage:
      next_ = Step::kFromDrainVoltage;
      break;
  }
}

CalculationStop TransformerCalculation::Run(const DesignInputs& in, TransformerDesign& t,
                                            bool ask_drain_limit) {
  for (;;) {
    if (const std::optional<CalculationStop> stop = Advance(in, t, ask_drain_limit)) return *stop;
  }
}

std::optional<CalculationStop> TransformerCalculation::Advance(const DesignInputs& in,
                                                               TransformerDesign& t,
                                                               bool ask_drain_limit) {
  switch (next_) {
    case Step::kFullStart:
      t.D_max = kStartDutyCycle;
      t.I_in_avg = in.P_in_max / (in.U_mains_min * in.k_valley);
      t.I_mains_max = in.P_in_max / in.U_mains_min;
      next_ = Step::kSameDutyCycle;
      return std::nullopt;

    case Step::kSameDutyCycle:
      // The primary current rises from zero in every period.
      t.I_D_max = 2 * t.I_in_avg / t.D_max;
      next_ = Step::kSameDutyCycleAndCurrent;
      return std::nullopt;

    case Step::kSameDutyCycleAndCurrent:
      ++passes_;
      // mT × mm² over A × nH gives turns.
      t.n_prim = t.Bmax * in.Ae / (t.I_D_max * in.AL);
      t.q_D = 1 / (t.D_max * in.k_T) - 1;
      t.U_ts = MainsPeak(in.U_mains_min) / (t.n_prim * t.q_D);
      t.U_bus_max = BusVoltageMax(in.U_mains_max, in.k_U);
      next_ = Step::kFromDrainVoltage;
      return std::nullopt;

    case Step::kFromDrainVoltage:
      // n_prim × U_ts is the voltage induced in the primary in the off phase.
      t.U_D_max = t.U_bus_max + t.n_prim * t.U_ts * in.k_os;
      if (rules_ == CalculationRules::kManual) {
        next_ = Step::kTimesAndFrequency;
        return std::nullopt;
      }
      next_ = Step::kDrainVoltageCheck;
      if (ask_drain_limit) return CalculationStop::kAskDrainLimit;
      return std::nullopt;

    case Step::kDrainVoltageCheck:
      return CheckDrainVoltage(in, t);

    case Step::kTimesAndFrequency:
      return TimesAndFrequency(in, t);

    case Step::kEnd:
      break;
  }
  return CalculationStop::kFinished;
}

std::optional<CalculationStop> TransformerCalculation::CheckDrainVoltage(const DesignInputs& in,
                                                                         TransformerDesign& t) {
  if (!(t.U_D_max > in.U_D_lim)) {  // equal passes
    next_ = Step::kTimesAndFrequency;
    return std::nullopt;
  }
  t.D_max *= kDutyCycleStep;
  ++duty_cycle_reductions_;
  if (t.D_max < kLowestDutyCycle) {
    // The bus voltage alone, or with the overshoots, exceeds the limit:
    // the calculation starts anew once the limit has been set again.
    next_ = Step::kFullStart;
    return CalculationStop::kDrainLimitTooLow;
  }
  next_ = Step::kSameDutyCycle;
  return std::nullopt;
}

std::optional<CalculationStop> TransformerCalculation::TimesAndFrequency(const DesignInputs& in,
                                                                         TransformerDesign& t) {
  t.L_prim = PrimaryInductance(in.AL, t.n_prim);              // µH
  t.t_on = t.L_prim * t.I_D_max / MainsPeak(in.U_mains_min);  // µs
  t.t_off = t.L_prim * t.I_D_max / (t.U_ts * t.n_prim);       // µs
  t.fsntmin = 1000 / ((t.t_on + t.t_off) * in.k_T);           // kHz
  if (in.fixed_freq) {
    const double factor = FixedFrequencyFactor(in, t);
    t.k_fix = std::sqrt(factor);
    t.t_on_fix = t.t_on * factor;
    t.I_D_max_fix = t.I_D_max * factor;
  } else {
    t.I_D_max_fix = t.I_D_max;
  }
  next_ = Step::kEnd;
  if (rules_ == CalculationRules::kManual) return CalculationStop::kFinished;

  if (t.fsntmin < in.f_low_lim || (in.fixed_freq && t.fsntmin < in.f_fix_max)) {
    // Lowering Bmax to zero would leave no primary turns; a bounded number
    // of steps keeps an absurd limit from running for ever.
    if (t.Bmax - kMagnetizationStep <= 0 || magnetization_reductions_ >= kMaxMagnetizationSteps) {
      return CalculationStop::kFrequencyUnreachable;
    }
    t.Bmax -= kMagnetizationStep;
    ++magnetization_reductions_;
    next_ = Step::kSameDutyCycle;
    return std::nullopt;
  }
  if (FixedFrequencyMagnetizationTooHigh(in, t)) {
    return CalculationStop::kMagnetizationWarning;
  }
  return CalculationStop::kFinished;
}

}  // namespace flyback

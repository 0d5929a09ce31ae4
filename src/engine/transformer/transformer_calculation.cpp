#include "transformer/transformer_calculation.h"

#include <cmath>

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

double MagnetizationAtFixedFrequency(const DesignState& s) {
  return s.Bmax * std::sqrt(s.fsntmin / s.f_fix_min);
}

TransformerCalculation::TransformerCalculation(CalculationEntry entry) {
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

CalculationStop TransformerCalculation::Run(DesignState& s) {
  for (;;) {
    if (const std::optional<CalculationStop> stop = Advance(s)) return *stop;
  }
}

std::optional<CalculationStop> TransformerCalculation::Advance(DesignState& s) {
  const double sqrt2 = std::sqrt(2.0);
  switch (next_) {
    case Step::kFullStart:
      s.D_max = kStartDutyCycle;
      s.I_in_avg = s.P_in_max / (s.U_mains_min * s.k_valley);
      s.I_mains_max = s.P_in_max / s.U_mains_min;
      next_ = Step::kSameDutyCycle;
      return std::nullopt;

    case Step::kSameDutyCycle:
      // The primary current rises from zero in every period.
      s.I_D_max = 2 * s.I_in_avg / s.D_max;
      next_ = Step::kSameDutyCycleAndCurrent;
      return std::nullopt;

    case Step::kSameDutyCycleAndCurrent:
      ++s.calculation_passes;
      // mT × mm² over A × nH gives turns.
      s.n_prim = s.Bmax * s.Ae / (s.I_D_max * s.AL);
      s.q_D = 1 / (s.D_max * s.k_T) - 1;
      s.U_ts = s.U_mains_min * sqrt2 / (s.n_prim * s.q_D);
      s.U_bus_max = s.U_mains_max * sqrt2 * s.k_U;
      next_ = Step::kFromDrainVoltage;
      return std::nullopt;

    case Step::kFromDrainVoltage:
      // n_prim × U_ts is the voltage induced in the primary in the off phase.
      s.U_D_max = s.U_bus_max + s.n_prim * s.U_ts * s.k_os;
      if (s.manual_mode) {
        next_ = Step::kTimesAndFrequency;
        return std::nullopt;
      }
      next_ = Step::kDrainVoltageCheck;
      if (s.ask_drain_limit) return CalculationStop::kAskDrainLimit;
      return std::nullopt;

    case Step::kDrainVoltageCheck:
      return CheckDrainVoltage(s);

    case Step::kTimesAndFrequency:
      return TimesAndFrequency(s);

    case Step::kEnd:
      break;
  }
  return CalculationStop::kFinished;
}

std::optional<CalculationStop> TransformerCalculation::CheckDrainVoltage(DesignState& s) {
  s.ask_drain_limit = false;
  if (!(s.U_D_max > s.U_D_lim)) {  // equal passes
    next_ = Step::kTimesAndFrequency;
    return std::nullopt;
  }
  s.D_max *= kDutyCycleStep;
  ++duty_cycle_reductions_;
  if (s.D_max < kLowestDutyCycle) {
    // The bus voltage alone, or with the overshoots, exceeds the limit:
    // the limit page comes again and the calculation starts anew.
    s.ask_drain_limit = true;
    next_ = Step::kFullStart;
    return CalculationStop::kDrainLimitTooLow;
  }
  next_ = Step::kSameDutyCycle;
  return std::nullopt;
}

std::optional<CalculationStop> TransformerCalculation::TimesAndFrequency(DesignState& s) {
  const double sqrt2 = std::sqrt(2.0);
  s.L_prim = 0.001 * s.AL * s.n_prim * s.n_prim;            // µH
  s.t_on = s.L_prim * s.I_D_max / (s.U_mains_min * sqrt2);  // µs
  s.t_off = s.L_prim * s.I_D_max / (s.U_ts * s.n_prim);     // µs
  s.fsntmin = 1000 / ((s.t_on + s.t_off) * s.k_T);          // kHz
  const bool fixed = FixedFrequency(s);
  if (fixed) {
    const double ratio = s.fsntmin / s.f_fix_min;
    s.k_fix = std::sqrt(std::sqrt(ratio));
    s.t_on_fix = s.t_on * std::sqrt(ratio);
    s.I_D_max_fix = s.I_D_max * std::sqrt(ratio);
  } else {
    s.I_D_max_fix = s.I_D_max;
  }
  next_ = Step::kEnd;
  if (s.manual_mode) return CalculationStop::kFinished;

  if (s.fsntmin < s.f_low_lim || (fixed && s.fsntmin < s.f_fix_max)) {
    // Lowering Bmax to zero would leave no primary turns; a bounded number
    // of steps keeps an absurd limit from running for ever.
    if (s.Bmax - kMagnetizationStep <= 0 || magnetization_reductions_ >= kMaxMagnetizationSteps) {
      return CalculationStop::kFrequencyUnreachable;
    }
    s.Bmax -= kMagnetizationStep;
    ++magnetization_reductions_;
    next_ = Step::kSameDutyCycle;
    return std::nullopt;
  }
  if (fixed && !(MagnetizationAtFixedFrequency(s) < s.Bmaxlim) && !s.optim_running) {
    return CalculationStop::kMagnetizationWarning;
  }
  return CalculationStop::kFinished;
}

}  // namespace flyback

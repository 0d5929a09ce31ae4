#include "engine/inputs/circuit_factors.h"

namespace flyback {

namespace {

constexpr double kRipple = 0.8;            // bus valley over mains peak
constexpr double kValleyPerRipple = 1.4;   // √2 rounded: lowest bus voltage per mains rms volt
constexpr double kPeriodFactorPfc = 1.05;  // the charge pump lengthens every period
constexpr double kBusFactorPfc = 1.1;      // and lifts the bus voltage

}  // namespace

CircuitFactors CircuitFactorsFor(bool PFC) {
  CircuitFactors f{kRipple, kValleyPerRipple * kRipple, 1, 1};
  if (PFC) {
    f.k_T = kPeriodFactorPfc;
    f.k_U = kBusFactorPfc;
  }
  return f;
}

}  // namespace flyback

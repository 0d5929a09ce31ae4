#pragma once

// The factors the circuit options set for the transformer calculation.

namespace flyback {

struct CircuitFactors {
  double k_ripple;  // lowest bus voltage over the mains peak
  double k_valley;  // lowest mains rms voltage to lowest bus voltage
  double k_T;       // period factor
  double k_U;       // bus voltage factor
};

// The bus valley lies at 80 % of the mains peak; the PFC charge pump
// lengthens the period by 5 % and lifts the bus by 10 %.
CircuitFactors CircuitFactorsFor(bool PFC);

}  // namespace flyback

#pragma once

// Currents, wire sizes and actual voltages of the windings of the present
// design, as the result screen, the winding table and the result report show
// them. They are worked out afresh from the transformer whenever they are
// shown, so they always belong to the present design and turns.

#include <array>
#include <cstddef>

#include "state/design/design_inputs.h"
#include "state/design/transformer_design.h"

namespace flyback {

// A, rms current of the triangular primary pulse of length t_on in the period
// t_on + t_off, to 0.01 A; at fixed frequency multiplied by k_fix and rounded
// to 0.01 A again.
double PrimaryRmsCurrent(const DesignInputs& in, const TransformerDesign& t);

// W, maximum conduction loss of a MOSFET of on-resistance R_DSon (Ohm) in the
// free-running worst case, to 0.1 W.
double ConductionLoss(const TransformerDesign& t, double R_DSon);

// V, actual IC supply voltage, to 0.01 V.
double IcSupplyVoltage(const DesignInputs& in, const TransformerDesign& t);

// V, actual voltage of output i with its present turns, to 0.01 V.
double OutputVoltage(const DesignInputs& in, const TransformerDesign& t, int i);

struct OutputWindingValues {
  double I_sec_rms = 0;  // A, rms current of the winding
  double A_sec = 0;      // mm², minimum wire cross-section
  double Uact = 0;       // V, actual output voltage
};

struct WindingValues {
  double I_prim_rms = 0;  // A, primary rms current
  double A_prim = 0;      // mm², minimum wire cross-section of the primary
  double U_ic_act = 0;    // V, actual IC supply voltage
  std::array<OutputWindingValues, kMaxOutputs> outputs{};

  const OutputWindingValues& output(int i) const {
    return outputs.at(static_cast<std::size_t>(i - 1));
  }
};

// The values of every winding of the present design: the secondary rms
// current is that of a triangular pulse of length t_off in the period
// 1000 / fsntmin µs, at fixed frequency multiplied by k_fix.
WindingValues ComputeWindingValues(const DesignInputs& in, const TransformerDesign& t);

}  // namespace flyback

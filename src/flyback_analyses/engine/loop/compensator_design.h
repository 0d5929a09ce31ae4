#pragma once

// Type-2 values for a wanted crossover and phase margin at one corner, by the
// k factor: the zero and the pole straddle the crossover so that their phase
// lead ("boost") makes up what the stage and the integrator take,
//   boost = PM − ∠H(f_c) − 90°, k = tan(boost/2 + 45°), f_z = f_c/k, f_p = k·f_c,
// and R_z sets the gain that makes the loop's gain 1 at f_c. The LED resistor
// is the largest the bias allows (the least fast-lane gain), rounded down.
// The values are chosen with an ideal regulator; the corners' margins are
// those of the regulator's own gain (opto_compensator.h).

#include "engine/loop/loop_assumptions.h"
#include "engine/loop/opto_compensator.h"
#include "engine/loop/power_stage_model.h"

namespace flyback {

struct CompensatorDesign {
  double crossover_Hz = 0;      // wanted
  double phase_margin_deg = 0;  // wanted
  double boost_deg = 0;         // lead the zero and pole give at the crossover, 0 ... 89°
  double k = 1;
  double R_LED_max_kOhm = 0;
  // The fast lane alone gives more gain at the crossover than the loop
  // wants: R_z is 0 and the loop crosses above the wanted frequency.
  bool fast_lane_too_strong = false;
  // C_opto alone puts the pole below the wanted one: C_pole is 0.
  bool opto_pole_too_low = false;
  OptoCompensator exact;    // as computed
  OptoCompensator rounded;  // E24 values (the LED resistor the reduced E12 value below)
};

// The compensator for `plant` at `CTR`, output 1 at U_out_V, the divider's
// upper resistor R_up_kOhm.
CompensatorDesign DesignCompensator(const PowerStageModel& plant, double crossover_Hz, double CTR,
                                    double U_out_V, double R_up_kOhm, const LoopAssumptions& a);

}  // namespace flyback

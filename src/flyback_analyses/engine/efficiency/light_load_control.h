#pragma once

// How the controller switches the stage as the load falls. Free running, the
// period shrinks with the peak current until a frequency ceiling, above which
// the controller waits for a later valley (valley skipping: the stage runs
// discontinuous at the ceiling and still turns on in a valley); at a fixed
// frequency the peak current falls at that frequency. Once a pulse would carry
// less than the least peak current the controller allows, it bursts: pulses of
// that current at the ceiling (or the fixed frequency) alternate with pauses in
// which the control IC idles. Every figure is a comparable controller's data
// sheet's, named in `source`; docs/efficiency.md gives them.

#include <string>
#include <string_view>

#include "engine/losses/switching_point.h"

namespace flyback {

struct LightLoadAssumptions {
  // kHz, the highest frequency of valley switching: fQR(max), 130 kHz
  // typical (TI UCC28600, SLUS646K, electrical characteristics).
  double f_ceiling_kHz = 130;
  // The least peak current of a pulse as a share of the largest: 33 % in
  // the bursts of green mode (TI UCC28610, SLUS888F, green mode operation).
  double burst_peak_share = 0.33;
  // A, the control IC's supply current between bursts: ISTANDBY, 350 µA
  // typical (TI UCC28600, SLUS646K, electrical characteristics).
  double I_ic_idle_A = 350e-6;
  std::string source =
      "TI UCC28600 data sheet SLUS646K (fQR(max), ISTANDBY); TI UCC28610 data sheet SLUS888F "
      "(green-mode peak current)";
};

// The pulse that switches the stage at the bus voltage U_bus_V (V) drawing
// P_in_W (W) under `a`, the stage's largest peak current being I_pk_max_A (A):
// SwitchingAt where its pulses are long and strong enough, else at the
// ceiling, else bursting (burst_duty below 1).
SwitchingPoint LightLoadSwitching(const LightLoadAssumptions& a, double I_pk_max_A,
                                  const SwitchingStage& stage, double U_bus_V, double P_in_W);

// "valley switching", "fixed frequency", "valley skipping" or "burst".
std::string_view LightLoadModeName(const SwitchingStage& stage, const SwitchingPoint& p);

}  // namespace flyback

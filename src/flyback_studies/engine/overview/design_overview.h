#pragma once

// What the design overview draws, as plain data: the key figures with their
// limits and the verdict of the design checks, the voltage window of every
// output with its actual voltage, and the currents over one switching period.

#include <optional>
#include <string>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/losses/switching_point.h"
#include "state/design/design_state.h"

namespace flyback {

struct KeyFigure {
  std::string name;                // "Bmax", "U_D_max", ...
  std::string value;               // as the result screen writes it, with its unit: "340 mT"
  std::string limit;               // "limit 340 mT", "20 kHz and above"; empty: none
  std::optional<Verdict> verdict;  // of the checks; empty: no check judges it
};

// Bmax, U_D_max, fsntmin, D_max, I_D_max, L_prim, P_in_max and the MOSFET with
// its conduction loss, each with the verdict of the `findings` on it.
std::vector<KeyFigure> KeyFigures(const DesignState& s, const std::vector<Finding>& findings);

// The voltage window of an output (or of the IC supply), where its actual
// voltage lies in it and the verdict of the checks on it.
struct OutputBar {
  std::string name;  // "U1" ... "U6", "IC supply"
  double Umin = 0;   // V
  double Umax = 0;   // V
  double Uact = 0;   // V, as the winding table shows it
  bool in_window = false;
  // Of the `findings` on the voltage and on the turns of the winding.
  Verdict verdict = Verdict::kFine;
  // Uact placed on a scale on which the window spans 0 to 1, kept within
  // -0.5 to 1.5 so that a voltage far outside still shows at the edge.
  double position = 0;
};

// The outputs 1 .. n_sec, then the IC supply with the window the control IC
// needs (10 V up to one turn above its target).
std::vector<OutputBar> OutputBars(const DesignState& s, const std::vector<Finding>& findings);

struct WaveformPoint {
  double t_us;  // µs from the start of the period
  double I_A;   // A
};

// The currents over one period at the lowest input voltage and full load:
// the drain current rises from 0 to I_D_max during t_on; then the secondary
// current, reflected to the primary, falls from I_D_max to 0 during t_off.
// The period 1000 / fsntmin µs ends after it.
struct CurrentWaveforms {
  std::vector<WaveformPoint> primary;
  std::vector<WaveformPoint> secondary;
  double period_us = 0;
  double I_prim_rms_A = 0;  // as the winding table shows it
  double I_sec_rms_A = 0;   // of the reflected secondary current, to 0.01 A
};

CurrentWaveforms Waveforms(const DesignState& s);

// The currents over one period at the operating point `p` that exists (the
// loss budget's, at one bus voltage): the drain current rises from I_start
// to I_pk during t_on, the reflected secondary current falls from I_pk
// during t_off (to I_start in continuous operation). The rms figures of the
// trapezoids, √((a² + a·b + b²)/3 · t/T), to 0.01 A.
CurrentWaveforms WaveformsAt(const SwitchingPoint& p);

}  // namespace flyback

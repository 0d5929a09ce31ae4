#pragma once

// The equivalent series resistance of the output capacitors the component
// list proposes (C41, C42, ...: a capacitance and a voltage rating, no
// series), and what the secondary's ripple current dissipates in it. The
// loss budget, the simulation's netlist and the feedback loop's ESR zero
// all take the resistance from here (docs/losses-models.md gives the data
// sheet and the known error).

#include "engine/losses/switching_point.h"
#include "state/design/design_inputs.h"

namespace flyback {

// Ω at 100 kHz and 20 °C of a low-impedance 105 °C radial aluminium
// electrolytic of C_uF (µF) rated U_rated_V (V): the data sheet's largest
// dissipation factor at 120 Hz of the series' next rating not below
// U_rated_V, as a resistance at 120 Hz, halved for 100 kHz.
double ElectrolyticEsr_ohm(double C_uF, double U_rated_V);

// Ω, the ESR of output `output`'s capacitor as the component list proposes
// it (ListedOutputCapacitor).
double OutputCapacitorEsr_ohm(const OutputSpec& out);

// W, what the ripple current dissipates in ESR_ohm (Ω) where the output
// draws I_out_A (A) on average at the switching point `s`: the rectifier's
// current falls from its peak to I_start/I_pk of it in t_off and delivers
// I_out/burst_duty while the stage switches, so the capacitor carries the
// rectifier's square rms minus I_out².
double OutputCapacitorLoss(double ESR_ohm, double I_out_A, const SwitchingPoint& s);

}  // namespace flyback

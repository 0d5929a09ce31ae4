#pragma once

// The designed flyback stage as an ngspice netlist that a user runs by hand
// (`ngspice -b FILE.cir`): the DC bus at the design point, the MOSFET as a
// switch at its hot on-resistance, the RCD clamp, the transformer as coupled
// inductors of whole turns with each winding's own leakage and AC copper
// resistance and a resistor for the core loss, the listed rectifiers fitted
// to their data sheets, the outputs' capacitors with a series resistance
// under full load (an output of less than 1 mA, a spare or sense winding,
// under a 1 mA bleeder) and a behavioural controller (quasi-resonant current
// mode, or current-mode PWM at the lowest fixed frequency) regulated through
// the component list's opto-coupler loop where the design has one. The run prints
// the settled output voltages, the peak drain current and voltage, and the
// switching frequency. docs/simulation.md gives the model and its limits.

#include <optional>
#include <string>
#include <vector>

#include "engine/loop/loop_design.h"
#include "engine/losses/loss_budget.h"
#include "engine/simulation/operating_point_figures.h"
#include "state/design/design_state.h"

namespace flyback {

// The bus voltage a netlist runs at.
enum class BusPoint {
  kLowest,   // √2·U_mains_min, the design point
  kHighest,  // U_bus_max
};

// s, the times of a load step: every output's load falls from 100 % to
// 50 % at `down_s` and rises back at `up_s`; the run ends at `end_s`.
struct LoadStepTimes {
  double down_s = 0;
  double up_s = 0;
  double end_s = 0;
};

// A netlist with what a run of it needs to know.
struct SpiceRun {
  std::string netlist;
  // The first line of `netlist` that holds a figure that is not finite
  // ("Rc clamp bus inf"); empty where every figure is a number. Such a
  // netlist must be neither written nor run.
  std::string non_finite_line;
  double U_bus_V = 0;   // V, the bus it runs at
  double stop_s = 0;    // s, the end of its transient analysis: the most a run takes
  double period_s = 0;  // s, the period the analysis is counted in
  struct Load {
    int winding = 0;  // 0 the IC supply, 1 .. 6 output i
    double R_ohm = 0;
    double turns_ratio = 0;  // its turns over the primary's
  };
  std::vector<Load> loads;  // the IC supply first, then the outputs
  // A load step, run to its end; none: a run that ends once its outputs
  // have settled.
  std::optional<LoadStepTimes> load_step;
};

// The state a run starts from: warm, the calculation's state at the start
// of a period; cold, every capacitor empty, for a warm start that did not
// settle.
enum class StartState { kWarm, kCold };

// A part load of the efficiency map to run at instead of full load: every
// output at `share` of its Imax, the outputs together, the stage switching
// as the map's point `losses` at that load switches (its bus, frequency and
// peak current), the controller waiting for a valley no sooner than its
// frequency ceiling allows; where the map's point bursts, pulses of the
// least peak current while the loop asks for more (free running only).
struct PartLoad {
  double share = 1;  // of every output's Imax
  OperatingPointLosses losses;
  double f_ceiling_kHz = 0;  // kHz, the highest frequency of valley switching
  double I_burst_A = 0;      // A, the least peak current of a pulse, where the point bursts
  // The settled full-load run at the same bus, or none. The calculation's
  // warm start misses the state the circuit settles in by the outputs'
  // cross regulation and by the peak current that goes with it, and both
  // differ little between the loads at one bus: the warm start then takes
  // each output at the full load's settled share of its Uact and the peak
  // current at its share of the boundary-mode peak. Only the start moves;
  // the state the run settles in is the circuit's own.
  const OperatingPointFigures* settled_full_load = nullptr;
};

// `loop`: the design's feedback loop (DesignEvaluation::loop), built into
// the netlist with the component list's parts; none: the generic error
// amplifier holds the regulated output. `part_load`: none at full load,
// the budget's operating point at `point`.
SpiceRun SpiceRunOf(const DesignState& s, const LossBudget& budget,
                    const std::optional<LoopDesign>& loop, BusPoint point,
                    StartState start = StartState::kWarm, const PartLoad* part_load = nullptr);

// The load step of a design regulated through the opto-coupler with its
// loop in the netlist: at the lowest bus from the warm start, every output
// from full load to half and back (docs/simulation.md).
SpiceRun LoadStepRunOf(const DesignState& s, const LossBudget& budget, const LoopDesign& loop);

// The netlist of the calculated design `s` at `point`; `budget` gives the
// leakage and the winding it was estimated from, the windings' resistances
// and the core loss at `point`, the drain capacitance, the IC's supply
// current, the clamp voltage and the clamp loss.
std::string SpiceNetlist(const DesignState& s, const LossBudget& budget,
                         const std::optional<LoopDesign>& loop, BusPoint point = BusPoint::kLowest);

}  // namespace flyback

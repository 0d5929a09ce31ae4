#pragma once

// The opto-coupler feedback of output 1 as netlist lines: the divider R65
// over R60 (with P60, trimmed to the regulated voltage) around the shunt
// regulator, its compensation R63 with C61 in series and C62 across them
// (cathode to reference), the LED through R61 from output 1 (the fast
// lane), and the opto's transistor pulling the controller's feedback pin
// down against the pin's pull-up and C28 with the opto's own capacitance.
// One writer for the two circuits that hold it, the switching netlist and
// the .ac loop circuit: they differ only in how the regulator and the LED
// are modelled (CompensatorModel). docs/loop.md gives the parts' sources.

#include <string>

#include "engine/loop/loop_assumptions.h"
#include "engine/loop/opto_compensator.h"
#include "engine/simulation/netlist_text.h"

namespace flyback {

enum class CompensatorModel {
  // For an .ac run, which ngspice linearizes at its operating point: the
  // regulator with the TL431's finite gain and first pole
  // (shunt_regulator.h, as the analytic loop model takes it), the LED a
  // fixed forward voltage.
  kLinearized,
  // For a transient run: the regulator with the same gain and pole (an
  // ideal one makes an algebraic loop through C62 that the simulator cannot
  // step) with its cathode between its least voltage and the output; the
  // LED an exponential diode that blocks reverse current; the opto's
  // transistor no lower than its saturation.
  kSwitching,
};

struct CompensatorCircuit {
  OptoCompensator parts;
  LoopAssumptions assumptions;
  double CTR = 0;            // the opto's current transfer ratio
  double U_ref_V = 0;        // V, the shunt regulator's reference
  double U_regulated_V = 0;  // V, the output the divider is trimmed to
  std::string output_node;   // output 1, where R65 and R61 hang
  // The cathode's voltage with the loop at rest, a figure or a
  // {expression} of the netlist's parameters.
  std::string resting_cathode;
};

// Nodes a transient run starts (.ic): the regulator's reference input and
// cathode, the node between R63 and C61, the regulator's amplifier
// (kSwitching), and the controller's feedback pin.
inline constexpr const char* kShuntReferenceNode = "ref";
inline constexpr const char* kShuntCathodeNode = "ka";
inline constexpr const char* kCompensationZeroNode = "zc";
inline constexpr const char* kShuntAmplifierNode = "x";
inline constexpr const char* kFeedbackPinNode = "fb";

void AppendCompensator(NetlistText& n, const CompensatorCircuit& c, CompensatorModel model);

}  // namespace flyback

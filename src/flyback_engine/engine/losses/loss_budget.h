#pragma once

// The loss budget of the designed flyback stage: where the input power goes
// at the design point (lowest input voltage, full load) and at the highest
// input voltage, the efficiency the losses give against the one the engineer
// assumed, and the transformer's temperature rise. A pure function of the
// design; docs/losses.md gives every formula, assumption and source.

#include <optional>
#include <string>
#include <vector>

#include "engine/losses/core_data.h"
#include "engine/losses/user_core_data.h"
#include "state/design/design_state.h"

namespace flyback {

// What the budget assumes where the design says nothing; each has a default
// that docs/losses.md explains and the user may change.
struct LossAssumptions {
  double T_core_C = 100;        // °C, core temperature of the Steinmetz fit
  double T_winding_C = 100;     // °C, copper temperature of the windings
  double leakage_share = 0.02;  // leakage inductance as a share of L_prim
  double C_drain_pF = 150;      // pF, capacitance discharged at turn-on
  double U_F_bridge_V = 1.0;    // V, forward drop of one bridge diode
  double I_ic_A = 0.01;         // A, supply current of the control IC
  int harmonics = 50;           // harmonics of the winding currents counted
};

// The core and ferrite the transformer losses are estimated with.
struct LossCore {
  CoreGeometry geometry;
  FerriteMaterial material;
  bool estimated = false;  // geometry borrowed from the standard shape nearest by Ae
};

// Where the core comes from: the user's file, the catalogue's own geometry
// of a layer core, or the estimate by Ae; none, with the reason, where no
// geometry is known.
struct LossCoreChoice {
  std::optional<LossCore> core;
  std::string reason;  // why the transformer losses are not estimated
};

LossCoreChoice ChooseLossCore(const DesignInputs& in, const UserCoreData* user);

// The copper of a winding: the cross-section the winding table asks for as
// one round wire, or its parallel wires of the chosen diameter.
struct Copper {
  double A_cu_mm2 = 0;   // mm², copper of all parallel wires
  double d_wire_mm = 0;  // mm, bare diameter of one wire
  int parallel_wires = 1;
};

// The copper of a winding the table sizes at `cross_section_mm2` (mm²).
Copper CopperOf(const DesignInputs& in, double cross_section_mm2);

// The switching of one operating point.
struct SwitchingPoint {
  double U_bus_V = 0;   // V, bus voltage the on-time is worked out at
  double I_pk_A = 0;    // A, peak primary current
  double t_on_us = 0;   // µs
  double t_off_us = 0;  // µs, demagnetization
  double period_us = 0;
  double B_max_mT = 0;    // mT, peak flux density (from 0)
  double I_in_avg_A = 0;  // A, average current of the bridge
};

struct WindingLossTerm {
  std::string winding;  // "primary", "output 1", ...
  int layers = 0;
  double R_dc_ohm = 0;
  double P_W = 0;  // DC and harmonics together
};

struct OutputDiodeTerm {
  int output = 0;
  double P_W = 0;
};

struct OperatingPointLosses {
  std::string name;  // "lowest input voltage", "highest input voltage"
  SwitchingPoint switching;
  std::optional<double> core_W;  // none without a core
  std::optional<double> core_density_W_per_m3;
  std::vector<WindingLossTerm> windings;  // empty without a core
  double mosfet_conduction_W = 0;
  double mosfet_turn_on_W = 0;
  std::vector<OutputDiodeTerm> output_diodes;
  double ic_diode_W = 0;
  double bridge_W = 0;  // 0 with DC input
  double clamp_W = 0;
  double total_W = 0;
  double efficiency = 0;                     // P_out / (P_out + total)
  std::optional<double> transformer_rise_K;  // none without a core
  std::optional<double> transformer_W;       // core and copper
};

struct LossBudget {
  LossAssumptions assumptions;
  LossCoreChoice core;
  double clamp_voltage_V = 0;
  double leakage_uH = 0;
  OperatingPointLosses lowest_input;
  OperatingPointLosses highest_input;
  double assumed_efficiency = 0;
};

// The budget of the calculated design `s`; `user` is the core the user
// described (--core-data), if any.
LossBudget ComputeLossBudget(const DesignState& s, const UserCoreData* user,
                             const LossAssumptions& assumptions = {});

}  // namespace flyback

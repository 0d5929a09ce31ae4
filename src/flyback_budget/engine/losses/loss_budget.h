#pragma once

// The loss budget of the designed flyback stage: where the input power goes
// at the design point (lowest input voltage, full load) and at the highest
// input voltage, the efficiency the losses give against the one the engineer
// assumed, and the transformer's temperature rise. A pure function of the
// design; docs/losses.md gives every formula, assumption and source.

#include <optional>
#include <string>
#include <vector>

#include "engine/losses/clamp_network.h"
#include "engine/losses/core_data.h"
#include "engine/losses/leakage_estimate.h"
#include "engine/losses/switching_point.h"
#include "engine/losses/user_core_data.h"
#include "state/design/design_state.h"

namespace flyback {

// What the budget assumes where the design says nothing; each has a default
// that docs/losses.md explains and the user may change.
struct LossAssumptions {
  double T_core_C = 100;     // °C, core temperature of the Steinmetz fit
  double T_winding_C = 100;  // °C, copper temperature of the windings
  // Leakage inductance as a share of L_prim where the winding's geometry is
  // not known; otherwise it is estimated from the winding.
  double leakage_share = 0.02;
  double C_oss_pF = 150;          // pF, the MOSFET's own drain capacitance
  double C_drain_extra_pF = 220;  // pF, C09 of the component list, drain to source
  double t_fall_ns = 20;          // ns, fall time of the drain current at turn-off
  double U_F_bridge_V = 1.0;      // V, forward drop of one bridge diode
  double I_ic_A = 0.01;           // A, supply current of the control IC
  int harmonics = 50;             // harmonics of the winding currents counted
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

struct WindingLossTerm {
  std::string winding;  // "primary", "output 1", ...
  int layers = 0;
  double R_dc_ohm = 0;
  double P_W = 0;  // DC and harmonics together
  // Ω, the resistance that dissipates P_W at the winding's rms current:
  // R_dc times the AC factor of its current's harmonics at this point.
  double R_ac_ohm = 0;
};

struct OutputDiodeTerm {
  int output = 0;
  double P_W = 0;
};

// The ripple current's loss in an output's capacitor.
struct OutputCapacitorTerm {
  int output = 0;
  double ESR_ohm = 0;  // Ω at 100 kHz, of the list's capacitor
  double P_W = 0;
};

struct OperatingPointLosses {
  std::string name;  // "lowest input voltage, bus valley", ...
  SwitchingPoint switching;
  std::optional<double> core_W;  // none without a core
  std::optional<double> core_density_W_per_m3;
  std::vector<WindingLossTerm> windings;  // empty without a core
  double mosfet_conduction_W = 0;
  double mosfet_turn_on_W = 0;
  double mosfet_turn_off_W = 0;
  std::vector<OutputDiodeTerm> output_diodes;
  std::vector<OutputCapacitorTerm> output_capacitors;
  double ic_diode_W = 0;
  double controller_W = 0;  // the control IC's own supply
  double bridge_W = 0;      // 0 with DC input
  ClampPoint clamp;         // the network of the component list at this point
  // V, the drain's peak: U_bus plus the clamp's voltage.
  double drain_peak_V = 0;
  // W, what the clamp would dissipate with a leakage of 1 % of L_prim: a
  // measured leakage scales from it.
  double clamp_W_at_1_percent = 0;
  double total_W = 0;
  double efficiency = 0;                     // P_out / (P_out + total)
  std::optional<double> transformer_rise_K;  // none without a core
  std::optional<double> transformer_W;       // core and copper
};

struct LeakageFigures {
  double L_lk_uH = 0;
  double share = 0;        // of L_prim
  bool estimated = false;  // from the winding's geometry, else the assumed share
  // The winding the estimate was made of; none where the share is assumed.
  std::optional<LeakageWinding> winding;
};

// The worst case the calculation dimensions for: the peak current at the
// valley of the bus ripple with the times at its crest. The pages and their
// checks use these; the losses work at operating points that exist.
struct WorstCaseBounds {
  double I_D_max_A = 0;
  double fsntmin_kHz = 0;
};

struct LossBudget {
  LossAssumptions assumptions;
  LossCoreChoice core;
  LeakageFigures leakage;
  ClampNetwork clamp;  // the network of the component list
  WorstCaseBounds worst_case;
  // The lowest mains voltage at the valley and at the crest of the bus
  // ripple, and the highest at its crest, each at full output power.
  OperatingPointLosses lowest_valley;
  OperatingPointLosses lowest_crest;
  OperatingPointLosses highest_input;
  double assumed_efficiency = 0;

  // The three points in that order.
  std::vector<const OperatingPointLosses*> points() const {
    return {&lowest_valley, &lowest_crest, &highest_input};
  }
};

// The budget of the calculated design `s`; `user` is the core the user
// described (--core-data), if any.
LossBudget ComputeLossBudget(const DesignState& s, const UserCoreData* user,
                             const LossAssumptions& assumptions = {});

}  // namespace flyback

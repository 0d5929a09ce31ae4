#pragma once

// The efficiency of the designed stage over line and load: at 10, 25, 50, 75
// and 100 % of P_out_max, every output carrying that share of its Imax (the
// outputs scaled together), at the lowest and highest input voltage and at
// 115 V and 230 V where they lie inside the mains range (DC input: the ends
// of its range), and with no load at each. Each point is the loss budget's
// operating point (the same models, the same fixed point of the input power)
// at the bus crest, switched as the controller switches at light load, plus
// the standing losses. docs/efficiency.md gives the models.

#include <string>
#include <vector>

#include "engine/efficiency/light_load_control.h"
#include "engine/efficiency/standing_losses.h"
#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// The loads of the map, as shares of P_out_max.
inline constexpr double kMapLoads[] = {0.10, 0.25, 0.50, 0.75, 1.00};

struct MapVoltage {
  std::string name;      // "lowest input voltage", "a rules' mains voltage", ...
  double U_input_V = 0;  // V rms, or V DC with DC input
  double U_mains_V = 0;  // V rms, the mains voltage the bridge current follows
  double U_bus_V = 0;    // V, the bus voltage the stage switches from
};

struct MapPoint {
  double load = 0;   // share of P_out_max; 0 with no load
  std::string mode;  // LightLoadModeName
  // The switching stage's losses at the point. With no load the stage
  // delivers only what the feedback network draws.
  OperatingPointLosses stage;
  StandingLosses standing;
  double P_out_W = 0;  // W, to the outputs' loads
  // W: the stage's input power, the bus's standing losses and what the
  // output's standing losses ask for at the stage's efficiency.
  double P_in_W = 0;
  double efficiency = 0;  // P_out/P_in; 0 with no load
};

struct MapRow {
  MapVoltage voltage;
  std::vector<MapPoint> loads;  // in the order of kMapLoads
  MapPoint no_load;
};

struct EfficiencyMap {
  LightLoadAssumptions controller;
  std::vector<MapRow> rows;  // by input voltage, ascending
};

// The map of the design `s` with its `budget`, the controller switching at
// light load under `controller`.
EfficiencyMap ComputeEfficiencyMap(const DesignState& s, const LossBudget& budget,
                                   const LightLoadAssumptions& controller = {});

}  // namespace flyback

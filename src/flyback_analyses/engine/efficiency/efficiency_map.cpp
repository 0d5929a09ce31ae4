#include "engine/efficiency/efficiency_map.h"

#include <utility>

#include "engine/inputs/mains.h"
#include "engine/losses/budget_windings.h"
#include "engine/losses/operating_point.h"

namespace flyback {

namespace {

// V rms, the mains voltages the rules measure at.
inline constexpr double kLowMains_V = 115;
inline constexpr double kHighMains_V = 230;

// The input voltages of the map: the range's ends, and the rules' mains
// voltages strictly inside it. The lowest is the budget's bus crest, the
// highest its highest bus voltage.
std::vector<MapVoltage> MapVoltagesOf(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const auto input = [&](double U_mains_V, double U_DC_V) {
    return in.dc_input ? U_DC_V : U_mains_V;
  };
  std::vector<MapVoltage> voltages{{"lowest input voltage", input(in.U_mains_min, in.U_DC_min),
                                    in.U_mains_min, MainsPeak(in.U_mains_min)}};
  if (!in.dc_input) {
    for (const double U_V : {kLowMains_V, kHighMains_V}) {
      if (in.U_mains_min < U_V && U_V < in.U_mains_max) {
        voltages.push_back({"a rules' mains voltage", U_V, U_V, MainsPeak(U_V)});
      }
    }
  }
  voltages.push_back({"highest input voltage", input(in.U_mains_max, in.U_DC_max), in.U_mains_max,
                      s.transformer.U_bus_max});
  return voltages;
}

// What a point asks of the map: the stage switched by the controller.
struct MapContext {
  const DesignState& s;
  const LossBudget& budget;
  const std::vector<BudgetWinding>& windings;
  const LightLoadAssumptions& controller;
  SwitchingLaw law;
};

MapPoint PointAt(const MapContext& c, const MapVoltage& v, double load) {
  const double P_out_max_W = c.s.inputs.P_out_max;
  MapPoint point;
  point.load = load;
  point.standing = StandingLossesAt(c.s, v.U_bus_V);
  // With no load the stage delivers what the output's standing losses draw,
  // as a share of every output's Imax.
  const double share = load > 0 ? load : point.standing.output_W() / P_out_max_W;
  point.stage = ConsistentPoint(v.name, c.s, {v.U_mains_V, v.U_bus_V},
                                {share, c.controller.I_ic_idle_A}, c.budget, c.windings, c.law);
  point.mode =
      LightLoadModeName(StageOf(c.s.inputs, c.s.transformer, v.U_mains_V), point.stage.switching);
  point.P_out_W = P_out_max_W * load;
  const double P_stage_out_W = P_out_max_W * share;
  const double P_stage_in_W = P_stage_out_W + point.stage.total_W;
  point.P_in_W = P_stage_in_W + point.standing.bus_W();
  if (load > 0) point.P_in_W += point.standing.output_W() * P_stage_in_W / P_stage_out_W;
  point.efficiency = load > 0 ? point.P_out_W / point.P_in_W : 0;
  return point;
}

}  // namespace

EfficiencyMap ComputeEfficiencyMap(const DesignState& s, const LossBudget& budget,
                                   const LightLoadAssumptions& controller) {
  EfficiencyMap map;
  map.controller = controller;
  const std::vector<BudgetWinding> windings =
      budget.core.core
          ? BudgetWindingsOf(s.inputs, s.transformer, *budget.core.core, budget.assumptions)
          : std::vector<BudgetWinding>{};
  const double I_pk_max_A = budget.worst_case.I_D_max_A;
  const MapContext context{s, budget, windings, map.controller,
                           [&](const SwitchingStage& stage, double U_bus_V, double P_in_W) {
                             return LightLoadSwitching(map.controller, I_pk_max_A, stage, U_bus_V,
                                                       P_in_W);
                           }};
  for (MapVoltage& voltage : MapVoltagesOf(s)) {
    MapRow row;
    for (const double load : kMapLoads) row.loads.push_back(PointAt(context, voltage, load));
    row.no_load = PointAt(context, voltage, 0);
    row.voltage = std::move(voltage);
    map.rows.push_back(std::move(row));
  }
  return map;
}

}  // namespace flyback

#include "losses_json.h"

#include <string>

#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

Json Point(const OperatingPointLosses& losses) {
  const SwitchingPoint& p = losses.switching;
  Json windings = Json::array();
  for (const WindingLossTerm& term : losses.windings) {
    windings.push_back({{"winding", term.winding},
                        {"layers", term.layers},
                        {"R_dc_ohm", term.R_dc_ohm},
                        {"P_W", term.P_W}});
  }
  Json diodes = Json::array();
  for (const OutputDiodeTerm& diode : losses.output_diodes) {
    diodes.push_back({{"output", diode.output}, {"P_W", diode.P_W}});
  }
  return {{"operating_point", losses.name},
          {"switching",
           {{"U_bus_V", p.U_bus_V},
            {"I_pk_A", p.I_pk_A},
            {"t_on_us", p.t_on_us},
            {"t_off_us", p.t_off_us},
            {"period_us", p.period_us},
            {"B_max_mT", p.B_max_mT},
            {"I_in_avg_A", p.I_in_avg_A}}},
          {"core_W", OrNull(losses.core_W)},
          {"core_density_W_per_m3", OrNull(losses.core_density_W_per_m3)},
          {"windings", windings},
          {"mosfet_conduction_W", losses.mosfet_conduction_W},
          {"mosfet_turn_on_W", losses.mosfet_turn_on_W},
          {"output_diodes", diodes},
          {"ic_diode_W", losses.ic_diode_W},
          {"bridge_W", losses.bridge_W},
          {"clamp_W", losses.clamp_W},
          {"total_W", losses.total_W},
          {"efficiency", losses.efficiency},
          {"transformer_W", OrNull(losses.transformer_W)},
          {"transformer_rise_K", OrNull(losses.transformer_rise_K)}};
}

Json Core(const LossCoreChoice& choice) {
  if (!choice.core) return {{"estimated", nullptr}, {"not_estimated", choice.reason}};
  const LossCore& core = *choice.core;
  const CoreGeometry& g = core.geometry;
  return {{"shape", std::string(g.shape)},
          {"estimated", core.estimated},
          {"note", std::string(g.note)},
          {"source", std::string(g.source)},
          {"l_e_mm", g.l_e_mm},
          {"V_e_mm3", g.V_e_mm3},
          {"bobbin_width_mm", g.bobbin_width_mm},
          {"mean_turn_length_mm", g.mean_turn_length_mm},
          {"material", std::string(core.material.name)},
          {"material_source", std::string(core.material.source)},
          {"Pv_limit_W_per_m3", core.material.Pv_limit_W_per_m3}};
}

}  // namespace

Json LossesJson(const LossBudget& budget) {
  const LossAssumptions& a = budget.assumptions;
  return {{"assumptions",
           {{"T_core_C", a.T_core_C},
            {"T_winding_C", a.T_winding_C},
            {"leakage_share", a.leakage_share},
            {"leakage_uH", budget.leakage_uH},
            {"clamp_voltage_V", budget.clamp_voltage_V},
            {"C_drain_pF", a.C_drain_pF},
            {"U_F_bridge_V", a.U_F_bridge_V},
            {"I_ic_A", a.I_ic_A},
            {"harmonics", a.harmonics},
            {"described_in", "docs/losses.md"}}},
          {"core", Core(budget.core)},
          {"assumed_efficiency", budget.assumed_efficiency},
          {"operating_points", {Point(budget.lowest_input), Point(budget.highest_input)}}};
}

}  // namespace flyback

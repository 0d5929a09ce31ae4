#include "losses_json.h"

#include <string>
#include <vector>

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
  Json capacitors = Json::array();
  for (const OutputCapacitorTerm& capacitor : losses.output_capacitors) {
    capacitors.push_back(
        {{"output", capacitor.output}, {"ESR_ohm", capacitor.ESR_ohm}, {"P_W", capacitor.P_W}});
  }
  return {{"operating_point", losses.name},
          {"mode", std::string(SwitchingModeName(p.mode))},
          {"P_in_W", p.P_in_W},
          {"fixed_point_steps", p.fixed_point_steps},
          {"fixed_point_met", p.fixed_point_met},
          {"switching",
           {{"U_bus_V", p.U_bus_V},
            {"I_pk_A", p.I_pk_A},
            {"I_start_A", p.I_start_A},
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
          {"mosfet_turn_off_W", losses.mosfet_turn_off_W},
          {"output_diodes", diodes},
          {"output_capacitors", capacitors},
          {"ic_diode_W", losses.ic_diode_W},
          {"controller_W", losses.controller_W},
          {"bridge_W", losses.bridge_W},
          {"clamp_W", losses.clamp.P_W},
          {"clamp_W_at_1_percent_leakage", losses.clamp_W_at_1_percent},
          {"clamp_voltage_V", OrNull(losses.clamp.U_clamp_V)},
          {"drain_peak_V", losses.drain_peak_V},
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

// The clamp network and what it gives at the highest input voltage, where
// the drain peaks highest.
Json Clamp(const LossBudget& budget) {
  const ClampNetwork& n = budget.clamp;
  const ClampPoint& highest = budget.highest_input.clamp;
  return {{"network", n.name},
          {"parts", {n.diode, n.capacitor, n.resistor}},
          {"R_ohm", n.R_ohm},
          {"C_nF", n.C_nF},
          {"voltage_V", highest.U_clamp_V},
          {"drain_peak_V", highest.drain_peak_V},
          {"P_W", highest.P_W},
          {"not_modelled", n.not_modelled.empty() ? Json(nullptr) : Json(n.not_modelled)}};
}

Json Stresses(const std::vector<PartStress>& stresses) {
  Json rows = Json::array();
  for (const PartStress& p : stresses) {
    rows.push_back({{"part", p.part},
                    {"quantity", p.quantity},
                    {"unit", p.unit},
                    {"stress", p.stress},
                    {"operating_point", p.point},
                    {"rating", p.rating},
                    {"derated_limit", p.DeratedLimit()}});
  }
  return rows;
}

}  // namespace

Json LossesJson(const LossBudget& budget, const std::vector<PartStress>& stresses) {
  const LossAssumptions& a = budget.assumptions;
  return {{"assumptions",
           {{"T_core_C", a.T_core_C},
            {"T_winding_C", a.T_winding_C},
            {"leakage_share_without_geometry", a.leakage_share},
            {"C_oss_pF", a.C_oss_pF},
            {"C_drain_extra_pF", a.C_drain_extra_pF},
            {"t_fall_ns", a.t_fall_ns},
            {"U_F_bridge_V", a.U_F_bridge_V},
            {"I_ic_A", a.I_ic_A},
            {"harmonics", a.harmonics},
            {"described_in", "docs/losses.md"}}},
          {"core", Core(budget.core)},
          {"leakage",
           {{"L_lk_uH", budget.leakage.L_lk_uH},
            {"share", budget.leakage.share},
            {"source",
             budget.leakage.estimated ? "estimated from the winding" : "assumed share of L_prim"}}},
          {"clamp", Clamp(budget)},
          {"worst_case_bounds",
           {{"I_D_max_A", budget.worst_case.I_D_max_A},
            {"fsntmin_kHz", budget.worst_case.fsntmin_kHz},
            {"note",
             "the calculation's bounds: the peak current at the bus valley, the times "
             "at its crest"}}},
          {"assumed_efficiency", budget.assumed_efficiency},
          {"operating_points",
           {Point(budget.lowest_valley), Point(budget.lowest_crest), Point(budget.highest_input)}},
          {"part_stresses", Stresses(stresses)}};
}

}  // namespace flyback

#include "design_json.h"

#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "alternatives_json.h"
#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "efficiency_map_json.h"
#include "engine/checks/design_checks.h"
#include "engine/checks/part_stress.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/turns.h"
#include "engine/transformer/voltage_window.h"
#include "engine/transformer/winding_values.h"
#include "engine/transformer/wire.h"
#include "flyback_version.h"
#include "json_values.h"
#include "loop_json.h"
#include "losses_json.h"
#include "simulation_json.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

// A value that only some designs have: null for the others.
Json Only(bool present, double value) {
  return present ? Json(value) : Json(nullptr);
}

Json Inputs(const DesignInputs& in) {
  Json outputs = Json::array();
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    outputs.push_back(
        {{"output", i}, {"Umin_V", out.Umin}, {"Umax_V", out.Umax}, {"Imax_A", out.Imax}});
  }
  const bool pwx = in.ic_type == ControlIc::kPwx;
  return {
      {"outputs", outputs},
      {"P_out_max_W", in.P_out_max},
      {"efficiency", in.eta},
      {"P_in_max_W", in.P_in_max},
      {"current_density_A_per_mm2", in.J},
      {"circuit",
       {{"PFC", in.PFC},
        {"control_ic", pwx ? (in.THP ? "PWX 40219" : "PWX 40218-2") : "QRM1X305"},
        {"THP", in.THP},
        {"P_perm_W", Only(in.THP, in.P_perm)},
        {"t_THP_s", Only(in.THP, in.t_THP)},
        {"opto_regulation", in.opto_reg},
        {"U_opto_V", Only(in.opto_reg, in.U_opto)},
        {"fixed_frequency", in.fixed_freq},
        {"f_fix_min_kHz", Only(in.fixed_freq, in.f_fix_min)},
        {"f_fix_max_kHz", Only(in.fixed_freq, in.f_fix_max)}}},
      {"core",
       {{"type_answer", in.tr_type_answer},
        {"name", in.tr_name},
        {"airgap_mm", Only(in.airgap_shown, in.g)},
        {"AL_nH", in.AL},
        {"Ae_mm2", in.Ae}}},
      {"operating_conditions",
       {{"k_os", in.k_os},
        {"dc_input", in.dc_input},
        {"U_mains_min_V", in.U_mains_min},
        {"U_mains_max_V", in.U_mains_max},
        {"U_DC_min_V", Only(in.dc_input, in.U_DC_min)},
        {"U_DC_max_V", Only(in.dc_input, in.U_DC_max)},
        {"f_low_lim_kHz", in.f_low_lim},
        {"Bmaxlim_mT", in.Bmaxlim},
        {"U_D_lim_V", in.U_D_lim}}},
      {"wires",
       {{"number_of_wires", in.wire_counts}, {"d_wire_mm", Only(in.wire_counts, in.d_wire)}}},
  };
}

Json Transformer(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const bool fixed = in.fixed_freq;
  const ResultFigures f = ShownResultFigures(s);
  return {
      {"calculated",
       {{"Bmax_mT", t.Bmax},
        {"D_max", t.D_max},
        {"I_in_avg_A", t.I_in_avg},
        {"I_mains_max_A", t.I_mains_max},
        {"I_D_max_A", t.I_D_max},
        {"n_prim", t.n_prim},
        {"q_D", t.q_D},
        {"U_ts_V", t.U_ts},
        {"U_bus_max_V", t.U_bus_max},
        {"U_D_max_V", t.U_D_max},
        {"L_prim_uH", t.L_prim},
        {"t_on_us", t.t_on},
        {"t_off_us", t.t_off},
        {"fsntmin_kHz", t.fsntmin},
        {"k_fix", Only(fixed, t.k_fix)},
        {"t_on_fix_us", Only(fixed, t.t_on_fix)},
        {"I_D_max_fix_A", t.I_D_max_fix}}},
      // As the result screen and the result report show them.
      {"shown",
       {{"primary_turns", f.primary_turns},
        {"primary_inductance_uH", f.primary_inductance_uH},
        {"Bmax_mT", f.Bmax_mT},
        {"fsntmin_kHz", f.fsntmin_kHz},
        {"period_us", Only(!fixed, f.period_us)},
        {"Bmax_at_f_fix_min_mT", Only(fixed, f.Bmax_at_f_fix_min_mT)},
        {"P_in_max_W", f.P_in_max_W},
        {"P_out_max_W", f.P_out_max_W},
        {"P_perm_W", Only(f.thp, f.P_perm_W)},
        {"mosfet", std::string(f.mosfet_name.empty() ? "" : f.mosfet_name.substr(1))},
        // At f_fix_min with a fixed frequency, as the screen says.
        {"conduction_loss_W", f.conduction_loss_W},
        {"induced_voltage_V", f.induced_voltage_V},
        {"U_D_max_V", f.U_D_max_V},
        {"I_D_max_A", f.I_D_max_A},
        {"U_ts_V", f.U_ts_V},
        {"t_on_us", f.t_on_us}}},
  };
}

Json Windings(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  const bool wires = in.wire_counts;
  const auto wire_count = [&](double cross_section) {
    return Only(wires, WireCount(cross_section, in.A_wire));
  };
  Json windings = Json::array();
  windings.push_back({{"winding", "primary"},
                      {"turns", RoundTo(t.n_prim, 0)},
                      {"current_A", RoundTo(t.I_in_avg, 2)},
                      {"rms_current_A", values.I_prim_rms},
                      {"cross_section_mm2", values.A_prim},
                      {"wires", wire_count(values.A_prim)}});
  windings.push_back({{"winding", "IC supply"},
                      {"turns", t.nic},
                      {"voltage_V", values.U_ic_act},
                      {"target_V", IcSupplyTarget(in.ic_type)}});
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    const OutputWindingValues& winding = values.output(i);
    windings.push_back({{"winding", "output " + std::to_string(i)},
                        {"output", i},
                        {"turns", t.n_out(i)},
                        {"current_A", out.Imax},
                        {"rms_current_A", winding.I_sec_rms},
                        {"cross_section_mm2", winding.A_sec},
                        {"wires", wire_count(winding.A_sec)},
                        {"Umin_V", out.Umin},
                        {"Umax_V", out.Umax},
                        {"Uact_V", winding.Uact},
                        {"in_window", InWindow(winding.Uact, OutputWindow(in, i))}});
  }
  return windings;
}

// The governing stress of a part beside its rating; a row without one has
// the same keys, each null.
Json StressKeys(const PartStress* p) {
  const PartStress none;
  const PartStress& s = p != nullptr ? *p : none;
  Json keys = {{"stress_quantity", s.quantity},
               {"stress", s.stress},
               {"stress_unit", s.unit},
               {"stress_rating", s.rating},
               {"derated_limit", s.DeratedLimit()},
               {"stress_point", s.point}};
  if (p == nullptr) {
    for (Json& value : keys) value = nullptr;
  }
  return keys;
}

Json Components(const std::vector<ComponentRow>& rows, const std::vector<PartStress>& stresses) {
  Json components = Json::object();
  for (const ComponentRow& row : rows) {
    Json entry = {{"quantity", row.quantity}, {"value", OrNull(row.value)}, {"unit", row.unit},
                  {"part", row.part},         {"rating", row.rating},       {"remark", row.remark}};
    entry.update(StressKeys(GoverningStress(stresses, row.designator)));
    components[row.designator] = std::move(entry);
  }
  return components;
}

Json Row(const SweepPoint& row) {
  return {{"cfmax", DisplayedCfmax(row.cf_prod)},
          {"cf_prod", row.cf_prod},
          {"Bmax_mT", row.Bmax},
          {"fsntmin_kHz", row.fsntmin},
          {"U_ts_V", row.U_ts}};
}

Json Optimization(const OptimizationRecord& record) {
  Json rows = Json::array();
  for (const SweepPoint& row : record.rows) rows.push_back(Row(row));
  return {{"start_Bmax_mT", record.start_Bmax},
          {"rows", rows},
          {"best", record.best ? Row(*record.best) : Json(nullptr)},
          {"chosen_Bmax_mT", OrNull(record.chosen_Bmax)}};
}

Json Checks(const DesignEvaluation& evaluation, const SimulationOutcome* simulation) {
  const SimulationComparison* simulated =
      simulation != nullptr && simulation->comparison ? &*simulation->comparison : nullptr;
  Json checks = Json::array();
  const LoopSimulation* loop =
      simulation != nullptr && simulation->loop ? &*simulation->loop : nullptr;
  for (const Finding& finding : FindingsWithSimulation(evaluation, simulated, loop)) {
    checks.push_back({{"severity", SeverityName(finding.severity)},
                      {"code", finding.code},
                      {"quantity", QuantityName(finding.quantity)},
                      {"value", finding.value},
                      {"bound", finding.bound},
                      {"message", finding.message}});
  }
  return checks;
}

}  // namespace

std::string DesignJson(const DesignEvaluation& evaluation,
                       const std::optional<OptimizationRecord>& optimization,
                       const SimulationOutcome* simulation) {
  const DesignState& design = evaluation.design;
  Json document = {
      {"format", "flyback-design"},
      {"version", kDesignFormatVersion},
      {"program", {{"name", "flyback"}, {"version", kVersion}}},
      {"inputs", Inputs(design.inputs)},
      {"transformer", Transformer(design)},
      {"windings", Windings(design)},
      {"components", design.component_list
                         ? Components(*design.component_list, evaluation.part_stresses)
                         : Json(nullptr)},
      {"optimization", optimization ? Optimization(*optimization) : Json(nullptr)},
      {"losses", LossesJson(evaluation.budget, evaluation.part_stresses)},
      {"efficiency_map", EfficiencyMapJson(evaluation.efficiency_map, evaluation.efficiency_rules)},
      {"simulation", simulation != nullptr ? SimulationJson(*simulation) : Json(nullptr)},
      {"checks", Checks(evaluation, simulation)},
  };
  document["efficiency_map"]["simulated"] = SimulatedLoadPointsJson(simulation);
  if (evaluation.alternatives)
    document["alternatives"] = AlternativesJson(*evaluation.alternatives);
  if (evaluation.loop) {
    const LoopDesign& loop = *evaluation.loop;
    document["loop"] = LoopJson(loop);
    if (simulation != nullptr && simulation->loop) {
      document["loop"]["simulated"] = LoopSimulationJson(loop.corners, simulation->loop->corners);
      document["loop"]["compensator"]["simulated"] =
          LoopSimulationJson(loop.proposed_corners, simulation->loop->proposed);
    }
  } else {
    document["loop_not_modelled"] = std::string(LoopNotModelledReason(evaluation.design));
  }
  // Texts the design holds as typed may be no valid UTF-8: they are
  // replaced, not refused.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace flyback

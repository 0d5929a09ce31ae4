#include "loop_json.h"

#include <string>
#include <vector>

#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

template <typename Row>
Json JsonArray(const std::vector<Row>& rows, Json (*of)(const Row&)) {
  Json array = Json::array();
  for (const Row& row : rows) array.push_back(of(row));
  return array;
}

Json Assumptions(const LoopAssumptions& a) {
  return {{"R_pullup_kOhm", a.R_pullup_kOhm},
          {"U_pullup_V", a.U_pullup_V},
          {"U_CE_sat_V", a.U_CE_sat_V},
          {"A_cs", a.A_cs},
          {"U_cs_limit_V", a.U_cs_limit_V},
          {"slope_share", a.slope_share},
          {"CTR_min", a.CTR_min},
          {"CTR_max", a.CTR_max},
          {"C_opto_nF", a.C_opto_nF},
          {"U_F_LED_V", a.U_F_LED_V},
          {"U_KA_min_V", a.U_KA_min_V},
          {"I_bias_mA", a.I_bias_mA},
          {"phase_margin_deg", a.phase_margin_deg}};
}

Json Parts(const OptoCompensator& c, const LoopAssumptions& a) {
  return {{"R_up_kOhm", c.R_up_kOhm},
          {"R_LED_kOhm", c.R_LED_kOhm},
          {"R_z_kOhm", c.R_z_kOhm},
          {"C_z_nF", c.C_z_nF},
          {"C_pole_nF", c.C_pole_nF},
          {"C_p_nF", c.C_p_nF},
          {"f_zero_Hz", CompensatorZero_Hz(c)},
          {"f_pole_Hz", CompensatorPole_Hz(c, a)}};
}

Json Margins(const LoopCorner& c) {
  Json warnings = Json::array();
  for (LoopWarning w : c.warnings) warnings.push_back(std::string(LoopWarningText(w)));
  return {{"crossings", c.margins.crossings},
          {"crossover_Hz", OrNull(c.margins.crossover_Hz)},
          {"phase_margin_deg", OrNull(c.margins.phase_margin_deg)},
          {"phase_180_Hz", OrNull(c.margins.phase_180_Hz)},
          {"gain_margin_dB", OrNull(c.margins.gain_margin_dB)},
          {"warnings", warnings}};
}

Json Where(const LoopCorner& c) {
  return {{"line", std::string(c.line)}, {"load_share", c.load_share}, {"CTR", c.CTR}};
}

Json ProposedCorner(const LoopCorner& c) {
  Json corner = Where(c);
  corner.update(Margins(c));
  return corner;
}

Json Compensator(const LoopDesign& loop) {
  const CompensatorDesign& d = loop.compensator;
  return {{"crossover_Hz", d.crossover_Hz},
          {"phase_margin_deg", d.phase_margin_deg},
          {"design_CTR", loop.design_CTR},
          {"boost_deg", d.boost_deg},
          {"k", d.k},
          {"R_LED_max_kOhm", d.R_LED_max_kOhm},
          {"fast_lane_too_strong", d.fast_lane_too_strong},
          {"opto_pole_too_low", d.opto_pole_too_low},
          {"exact", Parts(d.exact, loop.assumptions)},
          {"parts", Parts(d.rounded, loop.assumptions)},
          {"corners", JsonArray(loop.proposed_corners, ProposedCorner)}};
}

Json Corner(const LoopCorner& c) {
  const PowerStageModel& p = c.plant;
  Json corner = Where(c);
  corner.update(Json{{"mode", std::string(SwitchingModeName(p.mode))},
                     {"f_sw_Hz", p.f_sw_Hz},
                     {"duty", p.duty},
                     {"R_load_ohm", p.R_load_ohm},
                     {"G0", p.G0},
                     {"f_load_pole_Hz", p.f_load_pole_Hz},
                     {"f_esr_zero_Hz", p.f_esr_zero_Hz},
                     {"f_rhp_zero_Hz", p.f_rhp_zero_Hz > 0 ? Json(p.f_rhp_zero_Hz) : Json(nullptr)},
                     {"Q_sampling", p.Q_sampling > 0 ? Json(p.Q_sampling) : Json(nullptr)}});
  corner.update(Margins(c));
  return corner;
}

Json SimulatedCorner(const std::vector<LoopCorner>& corners, const SimulatedLoopCorner& s) {
  const LoopCorner& analytic = corners[s.corner];
  Json corner = Where(analytic);
  corner["reason"] = std::string(s.reason);
  if (!s.failure.empty()) {
    corner["failure"] = s.failure;
    return corner;
  }
  const LoopComparison& c = s.comparison;
  corner.update(Json{{"compared_to_Hz", c.compared_to_Hz},
                     {"gain_difference_dB", c.gain_difference_dB},
                     {"gain_difference_at_Hz", c.gain_difference_at_Hz},
                     {"phase_difference_deg", c.phase_difference_deg},
                     {"phase_difference_at_Hz", c.phase_difference_at_Hz},
                     {"crossover_Hz", OrNull(c.simulated_margins.crossover_Hz)},
                     {"phase_margin_deg", OrNull(c.simulated_margins.phase_margin_deg)},
                     {"analytic_crossover_Hz", OrNull(analytic.margins.crossover_Hz)},
                     {"analytic_phase_margin_deg", OrNull(analytic.margins.phase_margin_deg)},
                     {"agrees", c.agrees}});
  return corner;
}

}  // namespace

Json LoopSimulationJson(const std::vector<LoopCorner>& corners,
                        const std::vector<SimulatedLoopCorner>& runs) {
  Json simulated = Json::array();
  for (const SimulatedLoopCorner& s : runs) simulated.push_back(SimulatedCorner(corners, s));
  return simulated;
}

Json LoopJson(const LoopDesign& loop) {
  const RegulatedOutput& out = loop.output;
  return {{"assumptions", Assumptions(loop.assumptions)},
          {"output",
           {{"U_V", out.U_V},
            {"P_full_W", out.P_full_W},
            {"C_own_uF", out.C_own_uF},
            {"C_total_uF", out.C_total_uF},
            {"ESR_ohm", out.ESR_ohm},
            {"turns_ratio", out.turns_ratio}}},
          {"sweep", {{"f_low_Hz", loop.f_low_Hz}, {"f_high_Hz", loop.f_high_Hz}}},
          {"compensator", Compensator(loop)},
          {"parts", Parts(loop.parts, loop.assumptions)},
          {"parts_chosen", loop.parts_chosen},
          {"corners", JsonArray(loop.corners, Corner)}};
}

}  // namespace flyback

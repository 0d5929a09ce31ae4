#include "simulation_json.h"

#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

Json Point(const SimulatedPoint& point) {
  const OperatingPointFigures& f = point.figures;
  Json outputs = Json::array();
  for (const SimulatedOutput& out : f.outputs) {
    outputs.push_back({{"winding", out.winding == 0 ? Json("ic") : Json(out.winding)},
                       {"U_avg_V", out.U_avg_V},
                       {"U_ripple_V", out.U_ripple_V},
                       {"P_W", out.P_W}});
  }
  return {{"operating_point", point.name},
          {"U_bus_V", f.U_bus_V},
          {"outputs", outputs},
          {"I_D_peak_A", f.I_D_peak_A},
          {"U_D_peak_V", f.U_D_peak_V},
          {"f_sw_kHz", f.f_sw_kHz},
          {"P_in_W", f.P_in_W},
          {"P_out_W", f.P_out_W},
          {"efficiency", f.efficiency},
          {"periods", f.periods},
          {"periods_simulated", f.periods_simulated},
          {"settled", f.settled},
          {"start", point.start == StartState::kWarm ? "warm" : "cold"},
          {"run_s", point.run_s}};
}

Json Figure(const ComparedFigure& row) {
  return {{"operating_point", row.point},
          {"figure", row.figure},
          {"quantity", QuantityName(row.quantity)},
          {"unit", row.unit},
          {"simulated", row.simulated},
          {"calculated", OrNull(row.calculated)},
          {"reference", row.calculated ? Json(row.reference) : Json(nullptr)},
          {"deviation", OrNull(row.deviation)},
          {"deviation_unit", row.deviation ? Json(row.deviation_unit) : Json(nullptr)},
          {"least", OrNull(row.tolerance.least)},
          {"most", OrNull(row.tolerance.most)},
          {"tolerance", row.tolerance.text},
          {"within", row.judged ? Json(row.within) : Json(nullptr)}};
}

// Output 1 across the load step, its failure, or null without one.
Json LoadStep(const SimulationComparison& c) {
  if (!c.load_step_failure.empty()) return {{"failure", c.load_step_failure}};
  if (!c.load_step) return nullptr;
  const LoadStepResponse& r = *c.load_step;
  Json edges = Json::array();
  for (const LoadStepEdge& e : r.edges) {
    edges.push_back({{"edge", e.name},
                     {"U_before_V", e.U_before_V},
                     {"U_after_V", e.U_after_V},
                     {"U_extreme_V", e.U_extreme_V},
                     {"deviation_V", e.deviation_V},
                     {"settling_s", OrNull(e.settling_s)}});
  }
  return {{"U_regulated_V", r.U_regulated_V}, {"band", kLoadStepBand},
          {"down_s", r.times.down_s},         {"up_s", r.times.up_s},
          {"end_s", r.times.end_s},           {"edges", edges}};
}

}  // namespace

Json SimulationJson(const SimulationOutcome& outcome) {
  if (!outcome.comparison) return {{"failure", outcome.failure}};
  const SimulationComparison& c = *outcome.comparison;
  Json points = Json::array();
  for (const SimulatedPoint& point : c.points) points.push_back(Point(point));
  Json figures = Json::array();
  for (const ComparedFigure& row : c.figures) figures.push_back(Figure(row));
  return {{"simulator", "ngspice"},
          {"leakage_share", c.leakage_share},
          {"operating_points", points},
          {"comparison", figures},
          {"load_step", LoadStep(c)}};
}

nlohmann::ordered_json SimulatedLoadPointsJson(const SimulationOutcome* outcome) {
  if (outcome == nullptr || !outcome->comparison) return nullptr;
  Json points = Json::array();
  for (const SimulatedLoadPoint& p : outcome->comparison->load_points) {
    const bool simulated = p.efficiency.has_value();
    points.push_back({{"point", p.name},
                      {"load", p.load},
                      {"U_bus_V", p.U_bus_V},
                      {"f_map_kHz", p.f_map_kHz},
                      {"f_simulated_kHz", simulated ? Json(p.f_sw_kHz) : Json(nullptr)},
                      {"efficiency_map", p.map_efficiency},
                      {"efficiency_simulated", OrNull(p.efficiency)},
                      {"settled", p.settled},
                      {"within", simulated && p.settled ? Json(!p.Outside()) : Json(nullptr)},
                      {"not_simulated", p.not_simulated},
                      {"run_s", p.run_s}});
  }
  return points;
}

}  // namespace flyback

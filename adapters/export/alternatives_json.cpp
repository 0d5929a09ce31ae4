#include "alternatives_json.h"

#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

const char* KindName(TransformerKind kind) {
  switch (kind) {
    case TransformerKind::kSlotTransformer:
      return "slot-type";
    case TransformerKind::kUserTransformer:
      return "user";
    case TransformerKind::kLayerCore:
      break;
  }
  return "layer-type";
}

Json Candidate(const RankedCandidate& ranked) {
  const CandidateAssessment& a = ranked.assessment;
  const CoreCandidate& c = a.candidate;
  const std::optional<CandidateFigures>& f = a.figures;
  const std::optional<LimitFigures>& l = a.limits;
  return {{"rank", ranked.rank},
          {"kind", KindName(c.kind)},
          {"core", c.name},
          {"airgap_mm", OrNull(c.g_mm)},
          {"airgap_matches_inductance", c.matches_inductance},
          {"AL_nH", c.AL_nH},
          {"Ae_mm2", c.Ae_mm2},
          {"present", a.present},
          {"verdict", CandidateVerdictName(ranked.verdict)},
          {"reasons", ranked.reasons},
          {"warnings_severity", ranked.severity},
          {"voltage_optimization_ran", a.voltage_optimization_ran},
          {"errors", a.Count(Severity::kError)},
          {"warnings", a.Count(Severity::kWarning)},
          {"score", OrNull(ranked.score)},
          {"efficiency", f ? Json(f->efficiency) : Json(nullptr)},
          {"transformer_rise_K", f ? OrNull(f->rise_K) : Json(nullptr)},
          {"accuracy_product", f ? Json(f->cf_prod) : Json(nullptr)},
          {"core_volume_mm3", f ? OrNull(f->V_e_mm3) : Json(nullptr)},
          {"Bmax_mT", f ? Json(f->Bmax_mT) : Json(nullptr)},
          {"fsntmin_kHz", f ? Json(f->fsntmin_kHz) : Json(nullptr)},
          {"n_prim", f ? Json(f->n_prim) : Json(nullptr)},
          {"hot_spot_C", l ? OrNull(l->T_hot_spot_C) : Json(nullptr)},
          {"rise_runs_away", l ? Json(l->rise_runs_away) : Json(nullptr)},
          {"hot_spot_limit_C", l ? OrNull(l->T_limit_C) : Json(nullptr)},
          {"window_fill", l ? OrNull(l->window_fill) : Json(nullptr)},
          {"B_peak_tolerance_mT", l ? Json(l->B_peak_tolerance_mT) : Json(nullptr)},
          {"B_sat_mT", l ? OrNull(l->B_sat_mT) : Json(nullptr)},
          {"f_lowest_kHz", l ? Json(l->f_lowest_kHz) : Json(nullptr)},
          {"f_highest_kHz", l ? Json(l->f_highest_kHz) : Json(nullptr)}};
}

}  // namespace

Json AlternativesJson(const CoreAdvice& advice) {
  Json candidates = Json::array();
  for (const RankedCandidate& ranked : advice.ranking) candidates.push_back(Candidate(ranked));
  const AdviserWeights& w = advice.weights;
  const HardLimits& h = advice.limits;
  return {{"U_D_lim_V", advice.U_D_lim_V},
          {"limits",
           {{"T_ambient_C", h.T_ambient_C},
            {"T_insulation_C", h.T_insulation_C},
            {"current_limit_factor", h.current_limit_factor},
            {"AL_tolerance", h.AL_tolerance},
            {"fill_utilization", h.fill.utilization},
            {"fill_margin_mm", h.fill.margin_mm},
            {"fill_tape_layers", h.fill.tape_layers},
            {"fill_tape_insulations", h.fill.tape_insulations},
            {"fill_tape_mm", h.fill.tape_mm}}},
          {"weights",
           {{"efficiency_per_percent", w.efficiency_per_percent},
            {"rise_per_K", w.rise_per_K},
            {"fit_per_percent", w.fit_per_percent},
            {"volume_per_cm3", w.volume_per_cm3}}},
          {"candidates", candidates}};
}

}  // namespace flyback

#include "alternatives_json.h"

#include "json_values.h"

namespace flyback {

namespace {

using Json = nlohmann::ordered_json;

const char* KindName(CandidateKind kind) {
  switch (kind) {
    case CandidateKind::kSlotTransformer:
      return "slot-type";
    case CandidateKind::kUserTransformer:
      return "user";
    case CandidateKind::kLayerCore:
      break;
  }
  return "layer-type";
}

Json Candidate(const RankedCandidate& ranked) {
  const CandidateAssessment& a = ranked.assessment;
  const CoreCandidate& c = a.candidate;
  const std::optional<CandidateFigures>& f = a.figures;
  return {{"rank", ranked.rank},
          {"kind", KindName(c.kind)},
          {"core", c.name},
          {"airgap_mm", OrNull(c.g_mm)},
          {"airgap_matches_inductance", c.matches_inductance},
          {"AL_nH", c.AL_nH},
          {"Ae_mm2", c.Ae_mm2},
          {"present", a.present},
          {"verdict", CandidateVerdictName(ranked.verdict)},
          {"reason", ranked.reason},
          {"errors", a.Count(Severity::kError)},
          {"warnings", a.Count(Severity::kWarning)},
          {"score", OrNull(ranked.score)},
          {"efficiency", f ? Json(f->efficiency) : Json(nullptr)},
          {"transformer_rise_K", f ? OrNull(f->rise_K) : Json(nullptr)},
          {"accuracy_product", f ? Json(f->cf_prod) : Json(nullptr)},
          {"core_volume_mm3", f ? OrNull(f->V_e_mm3) : Json(nullptr)},
          {"Bmax_mT", f ? Json(f->Bmax_mT) : Json(nullptr)},
          {"fsntmin_kHz", f ? Json(f->fsntmin_kHz) : Json(nullptr)},
          {"n_prim", f ? Json(f->n_prim) : Json(nullptr)}};
}

}  // namespace

Json AlternativesJson(const CoreAdvice& advice) {
  Json candidates = Json::array();
  for (const RankedCandidate& ranked : advice.ranking) candidates.push_back(Candidate(ranked));
  const AdviserWeights& w = advice.weights;
  return {{"U_D_lim_V", advice.U_D_lim_V},
          {"weights",
           {{"efficiency_per_percent", w.efficiency_per_percent},
            {"rise_per_K", w.rise_per_K},
            {"fit_per_percent", w.fit_per_percent},
            {"volume_per_cm3", w.volume_per_cm3}}},
          {"candidates", candidates}};
}

}  // namespace flyback

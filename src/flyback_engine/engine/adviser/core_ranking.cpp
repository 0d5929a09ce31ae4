#include "engine/adviser/core_ranking.h"

#include <algorithm>
#include <tuple>

#include "engine/checks/loss_checks.h"

namespace flyback {

namespace {

constexpr double kMm3PerCm3 = 1000;

CandidateVerdict VerdictOf(const CandidateAssessment& a) {
  if (!a.figures) return CandidateVerdict::kRejected;
  return a.Count(Severity::kError) > 0 ? CandidateVerdict::kInfeasible
                                       : CandidateVerdict::kFeasible;
}

// Errors come first among the findings, so the first finding is the worst.
std::string ReasonOf(const CandidateAssessment& a) {
  if (!a.rejection.empty()) return a.rejection;
  return a.findings.empty() ? "" : a.findings.front().message;
}

}  // namespace

double CandidateScore(const CandidateFigures& figures, const AdviserWeights& weights) {
  const double rise_K = figures.rise_K.value_or(kTransformerRiseLimit_K);
  const double volume_cm3 = figures.V_e_mm3.value_or(0) / kMm3PerCm3;
  return weights.efficiency_per_percent * 100 * figures.efficiency - weights.rise_per_K * rise_K +
         weights.fit_per_percent * 100 * figures.cf_prod - weights.volume_per_cm3 * volume_cm3;
}

const char* CandidateVerdictName(CandidateVerdict verdict) {
  switch (verdict) {
    case CandidateVerdict::kFeasible:
      return "feasible";
    case CandidateVerdict::kInfeasible:
      return "infeasible";
    case CandidateVerdict::kRejected:
      break;
  }
  return "rejected";
}

std::vector<RankedCandidate> RankCandidates(std::vector<CandidateAssessment> assessments,
                                            const AdviserWeights& weights) {
  std::vector<RankedCandidate> ranking;
  ranking.reserve(assessments.size());
  for (CandidateAssessment& a : assessments) {
    RankedCandidate ranked;
    ranked.verdict = VerdictOf(a);
    ranked.reason = ReasonOf(a);
    if (a.figures) ranked.score = CandidateScore(*a.figures, weights);
    ranked.assessment = std::move(a);
    ranking.push_back(std::move(ranked));
  }
  // Rejected candidates have no score: they keep the catalogue order.
  std::stable_sort(ranking.begin(), ranking.end(),
                   [](const RankedCandidate& x, const RankedCandidate& y) {
                     return std::make_tuple(x.verdict, x.assessment.Count(Severity::kWarning),
                                            -x.score.value_or(0)) <
                            std::make_tuple(y.verdict, y.assessment.Count(Severity::kWarning),
                                            -y.score.value_or(0));
                   });
  for (std::size_t i = 0; i < ranking.size(); ++i) ranking[i].rank = static_cast<int>(i) + 1;
  return ranking;
}

CoreAdvice AdviseCores(const DesignState& design, const UserCoreData* core_data,
                       const AdviserWeights& weights) {
  std::vector<CandidateAssessment> assessments;
  for (const CoreCandidate& candidate : CoreCandidates(design.inputs)) {
    assessments.push_back(AssessCandidate(design, candidate, core_data));
  }
  return {weights, AdviserDrainLimit(design), RankCandidates(std::move(assessments), weights)};
}

}  // namespace flyback

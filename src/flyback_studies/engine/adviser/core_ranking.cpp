#include "engine/adviser/core_ranking.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "engine/adviser/warning_severity.h"
#include "engine/checks/loss_checks.h"

namespace flyback {

namespace {

constexpr double kMm3PerCm3 = 1000;

CandidateVerdict VerdictOf(const CandidateAssessment& a) {
  if (!a.figures || a.Count(Severity::kError) > 0 || !a.limit_reasons.empty()) {
    return CandidateVerdict::kRejected;
  }
  return a.Count(Severity::kWarning) > 0 ? CandidateVerdict::kMarginal : CandidateVerdict::kUsable;
}

// The findings come errors first.
std::vector<std::string> ReasonsOf(const CandidateAssessment& a) {
  std::vector<std::string> reasons;
  if (!a.rejection.empty()) reasons.push_back(a.rejection);
  const auto errors_end = std::find_if(a.findings.begin(), a.findings.end(), [](const Finding& f) {
    return f.severity != Severity::kError;
  });
  for (auto f = a.findings.begin(); f != errors_end; ++f) reasons.push_back(f->message);
  reasons.insert(reasons.end(), a.limit_reasons.begin(), a.limit_reasons.end());
  for (auto f = errors_end; f != a.findings.end(); ++f) reasons.push_back(f->message);
  return reasons;
}

// Marginal candidates by their warnings' severity; the others have none that
// counts (a usable one has no warning, a rejected one is out whatever its
// warnings weigh).
double SeverityWithinVerdict(const RankedCandidate& c) {
  return c.verdict == CandidateVerdict::kMarginal ? c.severity : 0;
}

// Higher scores first; a candidate without a score after every other.
double ScoreOrder(const RankedCandidate& c) {
  return -c.score.value_or(-std::numeric_limits<double>::infinity());
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
    case CandidateVerdict::kUsable:
      return "usable";
    case CandidateVerdict::kMarginal:
      return "marginal";
    case CandidateVerdict::kRejected:
      break;
  }
  return "rejected";
}

std::string JoinedReasons(const std::vector<std::string>& reasons) {
  std::string line;
  for (const std::string& reason : reasons) line += (line.empty() ? "" : "; ") + reason;
  return line;
}

std::string JoinedReasons(const RankedCandidate& ranked) {
  return JoinedReasons(ranked.reasons);
}

std::vector<RankedCandidate> RankCandidates(std::vector<CandidateAssessment> assessments,
                                            const AdviserWeights& weights) {
  std::vector<RankedCandidate> ranking;
  ranking.reserve(assessments.size());
  for (CandidateAssessment& a : assessments) {
    RankedCandidate ranked;
    ranked.verdict = VerdictOf(a);
    ranked.reasons = ReasonsOf(a);
    ranked.severity = WeightedSeverity(a.findings);
    if (a.figures) ranked.score = CandidateScore(*a.figures, weights);
    ranked.assessment = std::move(a);
    ranking.push_back(std::move(ranked));
  }
  // Candidates whose calculation stopped have no score: they keep the
  // catalogue order at the end.
  std::stable_sort(ranking.begin(), ranking.end(),
                   [](const RankedCandidate& x, const RankedCandidate& y) {
                     return std::make_tuple(x.verdict, SeverityWithinVerdict(x), ScoreOrder(x)) <
                            std::make_tuple(y.verdict, SeverityWithinVerdict(y), ScoreOrder(y));
                   });
  for (std::size_t i = 0; i < ranking.size(); ++i) ranking[i].rank = static_cast<int>(i) + 1;
  return ranking;
}

CoreAdvice AdviseCores(const DesignState& design, const UserCoreData* core_data,
                       const AdviserWeights& weights, const HardLimits& limits) {
  std::vector<CandidateAssessment> assessments;
  for (const CoreCandidate& candidate : CoreCandidates(design.inputs)) {
    assessments.push_back(AssessCandidate(design, candidate, core_data, limits));
  }
  return {weights, limits, AdviserDrainLimit(design),
          RankCandidates(std::move(assessments), weights)};
}

}  // namespace flyback

#pragma once

// The core adviser's ranking: every candidate transformer of a design (see
// core_candidates.h) assessed and put in order. Candidates without an error
// finding come first, then those with errors, then those whose calculation
// stopped; within each, fewer warnings first, then the higher score
//   score = w_eta·η[%] − w_rise·ΔT[K] + w_fit·100·cf_prod − w_volume·V_e[cm³]
// and, on a tie, the catalogue order. A pure, synchronous function of the
// design; docs/adviser.md explains the weights.

#include <optional>
#include <string>
#include <vector>

#include "engine/adviser/candidate_assessment.h"

namespace flyback {

// The weights of the score, in points of score per unit; one point of
// computed efficiency is worth 1.
struct AdviserWeights {
  double efficiency_per_percent = 1;  // per percentage point of computed efficiency
  double rise_per_K = 0.1;            // per K of transformer temperature rise (subtracted)
  double fit_per_percent = 0.05;      // per percent of the outputs' accuracy product
  double volume_per_cm3 = 0.1;        // per cm³ of effective core volume (subtracted)
};

// The score of a calculated candidate. A candidate without a core geometry
// counts the rise at the limit of the loss checks and no volume.
double CandidateScore(const CandidateFigures& figures, const AdviserWeights& weights);

enum class CandidateVerdict {
  kFeasible,    // calculated, no error finding (warnings allowed)
  kInfeasible,  // calculated, with an error finding
  kRejected,    // the calculation stopped
};

const char* CandidateVerdictName(CandidateVerdict verdict);  // "feasible", ...

struct RankedCandidate {
  int rank = 0;  // 1 for the best
  CandidateVerdict verdict = CandidateVerdict::kRejected;
  // The rejection, else the first error's message, else the first warning's;
  // empty for a candidate without a finding.
  std::string reason;
  std::optional<double> score;  // none when rejected
  CandidateAssessment assessment;
};

struct CoreAdvice {
  AdviserWeights weights;
  double U_D_lim_V = 0;  // the drain-voltage limit every candidate was calculated against
  std::vector<RankedCandidate> ranking;
};

// Puts assessed candidates in order and numbers them.
std::vector<RankedCandidate> RankCandidates(std::vector<CandidateAssessment> assessments,
                                            const AdviserWeights& weights);

// Every candidate of `design` assessed and ranked; `core_data` as for AssessCandidate.
CoreAdvice AdviseCores(const DesignState& design, const UserCoreData* core_data,
                       const AdviserWeights& weights = {});

}  // namespace flyback

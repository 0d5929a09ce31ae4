#pragma once

// The core adviser's ranking: every candidate transformer of a design (see
// core_candidates.h) assessed, given a verdict and put in order: usable
// candidates (no finding, no limit broken) first, by score; then marginal
// ones (warnings only) by their warnings' weighted severity
// (warning_severity.h), then by score; then rejected ones (the calculation
// stopped, an error, or a hard limit broken) by score, those without one
// last. The score is
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
  kUsable,    // calculated, no finding, every hard limit kept
  kMarginal,  // as usable, but with warnings
  kRejected,  // the calculation stopped, an error finding, or a hard limit broken
};

const char* CandidateVerdictName(CandidateVerdict verdict);  // "usable", ...

struct RankedCandidate {
  int rank = 0;  // 1 for the best
  CandidateVerdict verdict = CandidateVerdict::kRejected;
  // Every reason: the rejection of the calculation, the errors, the hard
  // limits broken, then the warnings; empty for a usable candidate.
  std::vector<std::string> reasons;
  double severity = 0;          // the warnings' weighted severity
  std::optional<double> score;  // none when the calculation stopped
  CandidateAssessment assessment;
};

struct CoreAdvice {
  AdviserWeights weights;
  HardLimits limits;
  double U_D_lim_V = 0;  // the drain-voltage limit every candidate was calculated against
  std::vector<RankedCandidate> ranking;
};

// The reasons as one line, parted by "; ".
std::string JoinedReasons(const std::vector<std::string>& reasons);
// The reasons of `ranked` as one line.
std::string JoinedReasons(const RankedCandidate& ranked);

// Puts assessed candidates in order and numbers them.
std::vector<RankedCandidate> RankCandidates(std::vector<CandidateAssessment> assessments,
                                            const AdviserWeights& weights);

// Every candidate of `design` assessed and ranked; `core_data` as for AssessCandidate.
CoreAdvice AdviseCores(const DesignState& design, const UserCoreData* core_data,
                       const AdviserWeights& weights = {}, const HardLimits& limits = {});

}  // namespace flyback

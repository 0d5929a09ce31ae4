#pragma once

// One transformer tried by the core adviser: the design's inputs with that
// transformer, calculated as the dialogue calculates a new transformer (the
// full start from the magnetization limit, the drain-voltage limit already
// set, the turns determined and the MOSFET proposed), then checked, and its
// losses budgeted. A calculation that stops is a rejection, given in the
// words the dialogue shows for that stop. A calculated candidate's losses
// are budgeted at its self-consistent hot spot and held against the hard
// limits (hard_limits.h).

#include <optional>
#include <string>
#include <vector>

#include "engine/adviser/core_candidates.h"
#include "engine/adviser/hard_limits.h"
#include "engine/checks/design_checks.h"
#include "engine/losses/user_core_data.h"
#include "state/design/design_state.h"

namespace flyback {

// What a calculated candidate is ranked and shown by.
struct CandidateFigures {
  double efficiency = 0;          // the loss budget's least, at the hot spot
  std::optional<double> rise_K;   // transformer temperature rise; none without a core geometry
  double cf_prod = 0;             // accuracy product of the output windows, 0 to 1
  std::optional<double> V_e_mm3;  // effective core volume; none without a core geometry
  double Bmax_mT = 0;             // after the frequency loop
  double fsntmin_kHz = 0;
  double n_prim = 0;  // turns, unrounded
};

struct CandidateAssessment {
  CoreCandidate candidate;
  bool present = false;                     // the transformer the design has now
  std::string rejection;                    // why the calculation stopped; empty: calculated
  std::optional<CandidateFigures> figures;  // none when rejected
  std::vector<Finding> findings;            // the design checks and the loss checks
  std::optional<LimitFigures> limits;       // none when the calculation stopped
  std::vector<std::string> limit_reasons;   // every hard limit the candidate breaks
  bool voltage_optimization_ran = false;

  int Count(Severity severity) const;
};

// V, the drain-voltage limit a candidate is calculated against: the one the
// design was calculated with, or, before the dialogue has asked for it, the
// automatic limit by the highest mains voltage. The adviser never asks.
double AdviserDrainLimit(const DesignState& design);

// `core_data` (--core-data) describes the present core: it counts for the
// candidates of the same name only.
CandidateAssessment AssessCandidate(const DesignState& design, const CoreCandidate& candidate,
                                    const UserCoreData* core_data, const HardLimits& limits);

}  // namespace flyback

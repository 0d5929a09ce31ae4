#include "engine/adviser/candidate_assessment.h"

#include <algorithm>

#include "base/console/line.h"
#include "engine/adviser/hot_spot.h"
#include "engine/adviser/voltage_optimization.h"
#include "engine/checks/loss_checks.h"
#include "engine/components/dimensioning.h"
#include "engine/losses/loss_budget.h"
#include "engine/transformer/calculation_stop_lines.h"
#include "engine/transformer/optimization_rating.h"
#include "engine/transformer/transformer_calculation.h"
#include "engine/transformer/turns.h"

namespace flyback {

namespace {

// The design's inputs with the candidate's transformer, before its calculation.
DesignState CandidateDesign(const DesignState& design, const CoreCandidate& candidate) {
  DesignState s;
  s.inputs = design.inputs;
  s.inputs.tr_kind = candidate.kind;
  // A layer core as if chosen with the answer "1": its airgap is the candidate's.
  s.inputs.airgap_shown = candidate.kind == TransformerKind::kLayerCore;
  s.inputs.tr_name = candidate.name;
  if (candidate.g_mm) s.inputs.g = *candidate.g_mm;
  s.inputs.AL = candidate.AL_nH;
  s.inputs.Ae = candidate.Ae_mm2;
  s.inputs.U_D_lim = AdviserDrainLimit(design);
  s.transformer.Bmax = s.inputs.Bmaxlim;
  s.flow.ask_drain_limit = false;
  return s;
}

// A stop line as one trimmed text.
std::string Reason(const Line& line) {
  const std::string text = LayoutFixedPitch(line);
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The reason the calculation rejects the candidate for; empty when it finished.
std::string Rejection(CalculationStop stop, const DesignState& s) {
  switch (stop) {
    case CalculationStop::kDrainLimitTooLow:
      return Reason(DrainLimitTooLowLine(s.inputs.U_D_lim));
    case CalculationStop::kFrequencyUnreachable:
      return Reason(FrequencyUnreachableLine());
    // The dialogue shows this design after its warning, which advises a
    // larger airgap or a bigger core: the adviser takes that advice.
    case CalculationStop::kMagnetizationWarning:
      return Reason(MagnetizationTooHighLine(s.inputs, s.transformer));
    case CalculationStop::kAskDrainLimit:  // the limit is set before the run
    case CalculationStop::kFinished:
      break;
  }
  return "";
}

CandidateFigures Figures(const DesignState& s, const LossBudget& budget) {
  CandidateFigures figures;
  const JudgedLosses judged = JudgedFigures(budget);
  figures.efficiency = judged.least_efficient->efficiency;
  figures.rise_K = judged.transformer_rise_K;
  figures.cf_prod = AccuracyProduct(s.inputs, s.transformer);
  if (budget.core.core) figures.V_e_mm3 = budget.core.core->geometry.V_e_mm3;
  figures.Bmax_mT = s.transformer.Bmax;
  figures.fsntmin_kHz = s.transformer.fsntmin;
  figures.n_prim = s.transformer.n_prim;
  return figures;
}

}  // namespace

int CandidateAssessment::Count(Severity severity) const {
  return static_cast<int>(
      std::count_if(findings.begin(), findings.end(),
                    [severity](const Finding& f) { return f.severity == severity; }));
}

double AdviserDrainLimit(const DesignState& design) {
  return design.flow.ask_drain_limit ? AutomaticDrainLimit(design.inputs.U_mains_max)
                                     : design.inputs.U_D_lim;
}

// The calculated design `s` of the candidate judged: its losses at its hot
// spot, its checks and its hard limits.
void Judge(const DesignState& s, const UserCoreData* core_data, const HardLimits& limits,
           CandidateAssessment& assessment) {
  const std::optional<HotSpot> hot = SelfConsistentHotSpot(s, core_data, limits.T_ambient_C);
  const LossBudget budget = hot ? hot->budget : ComputeLossBudget(s, core_data);
  assessment.figures = Figures(s, budget);
  assessment.findings = CheckDesignAndLosses(s, budget, PartStresses(s, budget));
  assessment.limits =
      LimitFiguresOf(s, budget, hot ? std::optional<double>(hot->T_C) : std::nullopt,
                     hot && hot->runs_away, limits);
  assessment.limit_reasons = HardLimitReasons(s, budget, *assessment.limits);
}

CandidateAssessment AssessCandidate(const DesignState& design, const CoreCandidate& candidate,
                                    const UserCoreData* core_data, const HardLimits& limits) {
  CandidateAssessment assessment;
  assessment.candidate = candidate;
  assessment.present = IsPresentTransformer(design.inputs, candidate);
  if (assessment.present) {
    // The present transformer as the design stands, after the hand changes
    // and the optimization: not calculated anew from the start.
    Judge(design, core_data, limits, assessment);
    return assessment;
  }
  DesignState s = CandidateDesign(design, candidate);
  TransformerCalculation calculation(CalculationEntry::kFullStart,
                                     CalculationRules::kEnforceLimits);
  assessment.rejection =
      Rejection(calculation.Run(s.inputs, s.transformer, /*ask_drain_limit=*/false), s);
  if (!assessment.rejection.empty()) return assessment;
  determine_turns(s.inputs, s.transformer);
  if (OutputOutsideItsWindow(s)) {
    // The engineer would optimize the output voltages before giving up on
    // this transformer; the candidate carries the optimized Bmax and turns.
    assessment.voltage_optimization_ran = true;
    if (!OptimizeOutputVoltages(s)) {
      assessment.rejection = Reason(FrequencyUnreachableLine());
      return assessment;
    }
  }
  s.components = dimension_components(s);
  Judge(s, candidate.name == design.inputs.tr_name ? core_data : nullptr, limits, assessment);
  if (assessment.voltage_optimization_ran && OutputOutsideItsWindow(s)) {
    assessment.limit_reasons.emplace_back(
        "an output stays outside its window after the voltage optimization");
  }
  return assessment;
}

}  // namespace flyback

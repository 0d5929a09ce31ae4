#pragma once

// The transformer calculation in the dialogue: it shows the pages the
// calculation needs (drain-voltage limit, the "too low" stop, the warning of
// too high magnetization at fixed frequency) and leaves the routing to the
// caller. The manual change runs it without limits.

#include "engine/transformer/transformer_calculation.h"
#include "pages/dialogue/dialogue.h"

namespace flyback {

enum class CalculationResult {
  kFinished,
  // Bmax could not be lowered far enough for the lowest frequency. Outside
  // the optimization the user has been told; the frequency limits are asked
  // again before a new full calculation.
  kFrequencyUnreachable,
};

// Why the dialogue calculates.
enum class CalculationPurpose {
  kDesign,            // a design to be shown
  kOptimizationStep,  // a step of the optimization's sweep, which shows no warning
};

// Writes only `parts` (the calculation pages hand over theirs).
CalculationResult RunCalculation(Dialogue& d, const CalculationParts& parts, CalculationEntry entry,
                                 CalculationPurpose purpose = CalculationPurpose::kDesign);

}  // namespace flyback

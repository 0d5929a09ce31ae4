// The three ways the dialogue enters the transformer calculation, and where
// each finished calculation leads.

#include "pages/dialogue/pages.h"
#include "pages/transformer/calculation.h"

namespace flyback {

namespace {

Page Calculate(Dialogue& d, TransformerPagesKey key, CalculationEntry entry) {
  if (RunCalculation(d, d.parts().calculation(key), entry) ==
      CalculationResult::kFrequencyUnreachable) {
    return Page::kFrequencyLimits;
  }
  // During a manual change the new values are shown in the winding table at once.
  return d.design().flow.manual_mode ? Page::kWindingTable : Page::kResultScreen;
}

}  // namespace

Page CalculateFullStartPage(Dialogue& d) {
  return Calculate(d, TransformerPagesKey{}, CalculationEntry::kFullStart);
}

Page CalculateSameDutyCyclePage(Dialogue& d) {
  return Calculate(d, TransformerPagesKey{}, CalculationEntry::kSameDutyCycle);
}

Page CalculateFromDrainVoltagePage(Dialogue& d) {
  return Calculate(d, TransformerPagesKey{}, CalculationEntry::kFromDrainVoltage);
}

}  // namespace flyback

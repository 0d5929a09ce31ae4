#pragma once

// The page machine: every page is a function on the dialogue that returns the
// page that follows it.

#include "pages/dialogue/dialogue.h"

namespace flyback {

enum class Page {
  kIntroduction,
  kOutputs,
  kCircuitOptions,
  kTransformerType,
  kOvershootFactor,
  kMainsRange,       // entry of "Change mains voltage range"
  kFrequencyLimits,  // lowest-frequency page after an unreachable frequency
  kCalculateFullStart,
  kCalculateSameDutyCycle,     // after "+", "-" and a turns change
  kCalculateFromDrainVoltage,  // after a change of the primary turns
  kResultScreen,
  kWindingTable,  // asks the wire question while it was not answered
  kWireQuestion,  // always asks the wire question
  kWindingTableOnly,
  kContinuationMenu,
  kManualChange,
  kMainMenu,
  kOptimization,
  kResultReport,
  kComponentList,
  kPfcChoke,
  kOptoCoupler,
};

using PageFunction = Page (*)(Dialogue&);

// Design inputs and the frame.
Page IntroductionPage(Dialogue& d);
Page MainMenuPage(Dialogue& d);
Page OutputsPage(Dialogue& d);
Page CircuitOptionsPage(Dialogue& d);

// Transformer design.
Page TransformerTypePage(Dialogue& d);
Page OvershootFactorPage(Dialogue& d);
Page MainsRangePage(Dialogue& d);
Page FrequencyLimitsPage(Dialogue& d);
Page CalculateFullStartPage(Dialogue& d);
Page CalculateSameDutyCyclePage(Dialogue& d);
Page CalculateFromDrainVoltagePage(Dialogue& d);
Page ResultScreenPage(Dialogue& d);
Page WindingTablePage(Dialogue& d);
Page WireQuestionPage(Dialogue& d);
Page WindingTableOnlyPage(Dialogue& d);
Page ContinuationMenuPage(Dialogue& d);
Page ManualChangePage(Dialogue& d);

// Reports and calculators.
Page OptimizationPage(Dialogue& d);
Page ResultReportPage(Dialogue& d);
Page ComponentListPage(Dialogue& d);
Page PfcChokePage(Dialogue& d);
Page OptoCouplerPage(Dialogue& d);

PageFunction PageFunctionOf(Page page);

}  // namespace flyback

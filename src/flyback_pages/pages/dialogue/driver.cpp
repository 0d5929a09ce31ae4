#include "pages/dialogue/driver.h"

#include "pages/dialogue/pages.h"

namespace flyback {

PageFunction PageFunctionOf(Page page) {
  switch (page) {
    case Page::kIntroduction:
      return IntroductionPage;
    case Page::kOutputs:
      return OutputsPage;
    case Page::kCircuitOptions:
      return CircuitOptionsPage;
    case Page::kTransformerType:
      return TransformerTypePage;
    case Page::kOvershootFactor:
      return OvershootFactorPage;
    case Page::kMainsRange:
      return MainsRangePage;
    case Page::kFrequencyLimits:
      return FrequencyLimitsPage;
    case Page::kCalculateFullStart:
      return CalculateFullStartPage;
    case Page::kCalculateSameDutyCycle:
      return CalculateSameDutyCyclePage;
    case Page::kCalculateFromDrainVoltage:
      return CalculateFromDrainVoltagePage;
    case Page::kResultScreen:
      return ResultScreenPage;
    case Page::kWindingTable:
      return WindingTablePage;
    case Page::kWireQuestion:
      return WireQuestionPage;
    case Page::kWindingTableOnly:
      return WindingTableOnlyPage;
    case Page::kContinuationMenu:
      return ContinuationMenuPage;
    case Page::kManualChange:
      return ManualChangePage;
    case Page::kMainMenu:
      return MainMenuPage;
    case Page::kOptimization:
      return OptimizationPage;
    case Page::kResultReport:
      return ResultReportPage;
    case Page::kComponentList:
      return ComponentListPage;
    case Page::kPfcChoke:
      return PfcChokePage;
    case Page::kOptoCoupler:
      return OptoCouplerPage;
  }
  return MainMenuPage;
}

void RunDialogue(Console& console, DesignState& state, AnswerLog* log, DesignObserver* observer) {
  RunPages(console, state, Page::kIntroduction, log, observer);
}

void RunPages(Console& console, DesignState& state, Page first, AnswerLog* log,
              DesignObserver* observer) {
  Dialogue dialogue(console, state, log, observer);
  Page page = first;
  try {
    for (;;) {
      try {
        page = PageFunctionOf(page)(dialogue);
      } catch (const ReportAborted&) {
        // The design stays as it is; only the report is given up.
        page = Page::kMainMenu;
      }
    }
  } catch (const ProgramEnded&) {
    console.EndProgram();
  }
}

}  // namespace flyback

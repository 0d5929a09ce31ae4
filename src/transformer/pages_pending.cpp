// Pages of the transformer design that are not built yet: they lead to the
// main menu.

#include "dialogue/pages.h"

namespace flyback {

Page TransformerTypePage(Dialogue&) { return Page::kMainMenu; }
Page OvershootFactorPage(Dialogue&) { return Page::kMainMenu; }
Page MainsRangePage(Dialogue&) { return Page::kMainMenu; }
Page FrequencyLimitsPage(Dialogue&) { return Page::kMainMenu; }
Page CalculateFullStartPage(Dialogue&) { return Page::kMainMenu; }
Page CalculateSameDutyCyclePage(Dialogue&) { return Page::kMainMenu; }
Page CalculateFromDrainVoltagePage(Dialogue&) { return Page::kMainMenu; }
Page ResultScreenPage(Dialogue&) { return Page::kMainMenu; }
Page WindingTablePage(Dialogue&) { return Page::kMainMenu; }
Page WireQuestionPage(Dialogue&) { return Page::kMainMenu; }
Page WindingTableOnlyPage(Dialogue&) { return Page::kMainMenu; }
Page ContinuationMenuPage(Dialogue&) { return Page::kMainMenu; }
Page ManualChangePage(Dialogue&) { return Page::kMainMenu; }

}  // namespace flyback

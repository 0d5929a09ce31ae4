// The PFC choke and opto-coupler calculators are not built yet: they lead to
// the main menu.

#include "dialogue/pages.h"

namespace flyback {

Page PfcChokePage(Dialogue&) { return Page::kMainMenu; }
Page OptoCouplerPage(Dialogue&) { return Page::kMainMenu; }

}  // namespace flyback

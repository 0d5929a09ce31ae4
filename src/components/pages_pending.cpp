// The component list page is not built yet: it leads to the main menu.

#include "dialogue/pages.h"

namespace flyback {

Page ComponentListPage(Dialogue&) { return Page::kMainMenu; }

}  // namespace flyback

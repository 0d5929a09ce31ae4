// The PFC choke calculator is not built yet: it leads to the main menu.

#include "dialogue/pages.h"

namespace flyback {

Page PfcChokePage(Dialogue&) {
  return Page::kMainMenu;
}

}  // namespace flyback

// What follows the winding table: the main menu, a manual change, the
// optimization, or the transformer data again.

#include <array>

#include "pages/dialogue/pages.h"

namespace flyback {

Page ContinuationMenuPage(Dialogue& d) {
  static const std::array<Line, 4> kChoices = {{
      {" Continue ?", zone, zone, zone, "(1)"},
      {" Change manually", zone, zone, "(2)"},
      {" Optimization of the output voltages", zone, "(3)"},
      {" Show transformer data", zone, zone, "(Ret)"},
  }};
  d.Write();
  d.WriteChoices(kChoices);
  const std::string answer =
      d.Ask({"Choice for continuation",
             "transformer data (Ret)  continue(1) change manually (2) optimization (3)", ""});
  if (answer == "1") return Page::kMainMenu;
  if (answer == "2") return Page::kManualChange;
  if (answer == "3") return Page::kOptimization;
  return Page::kResultScreen;
}

}  // namespace flyback

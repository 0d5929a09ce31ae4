#pragma once

// The construction sheet for the winder: the windings in the order they go
// on the bobbin, each with its turns, its wire and, where the bobbin width is
// known, its layers; the insulation between the primary side and the
// secondaries; the primary inductance to check with its tolerance; the
// airgap.

#include <string>
#include <vector>

#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// The tolerance the primary inductance is checked against: the AL
// tolerance of gapped ferrite core sets lies between ±3 % and ±10 %; the
// sheet states the wider one, which every catalogue set keeps.
inline constexpr double kPrimaryInductanceTolerance = 0.10;

struct WindingSheetRow {
  std::string step;     // "1", "2", ... from the core outwards
  std::string winding;  // "Primary", "Insulation", "Output 1"
  std::string turns;    // "53"; "" for the insulation
  std::string wire;     // "Ø 0.59 mm (0.27 mm²)", "5 × Ø 0.28 mm"
  std::string layers;   // "2"; "" where the bobbin width is not known
  std::string remark;   // "drain at the outer end", "100.04 V, 0.5 A"
};

struct WindingSheet {
  std::vector<WindingSheetRow> rows;
  std::string bobbin;      // where the layers come from, or why there are none
  std::string insulation;  // what the primary-to-secondary insulation must withstand
  std::string inductance;  // "534 µH ± 10 % (481 µH to 587 µH)"
  std::string airgap;      // the entered airgap, or its estimate from AL and Ae
};

// The sheet of the calculated design with its turns; the layers come from the
// core of the loss `budget` where it has one.
WindingSheet MakeWindingSheet(const DesignState& s, const LossBudget& budget);

}  // namespace flyback

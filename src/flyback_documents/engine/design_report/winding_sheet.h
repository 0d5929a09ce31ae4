#pragma once

// The construction sheet for the winder: the windings in the order they go
// on the bobbin, each with its turns, its standard enamelled wire, its layers
// on the bobbin's width between the margin tapes, its start and finish and
// the tape over it; the bobbin the layers are counted on; the phasing; the
// insulation with the distances it keeps; the primary inductance to check
// with its tolerance; the leakage inductance the clamp was dimensioned for as
// a limit; the airgap as it is ground or spaced.

#include <string>
#include <vector>

#include "engine/losses/loss_budget.h"
#include "state/design/design_state.h"

namespace flyback {

// The tolerance the primary inductance is checked against: the AL
// tolerance of gapped ferrite core sets lies between ±3 % and ±10 %; the
// sheet states the wider one, which every catalogue set keeps.
inline constexpr double kPrimaryInductanceTolerance = 0.10;

// mm, the wire of the IC-supply winding: it carries the supply current of
// the IC alone (about 10 mA, 0.3 A/mm² in it), so its size is set by
// handling; thinner wire breaks easily when wound and soldered by hand.
inline constexpr double kIcSupplyWire_mm = 0.20;

// Layers of polyester tape over a winding: one between windings of the same
// side (functional insulation, and a flat base for the next layer); three
// for reinforced insulation of thin sheet material, any two of which
// withstand the electric strength test (IEC 62368-1 5.4.4.6, IEC 61558-1
// 26.3). The outer wrap is reinforced too: the core counts as primary side.
inline constexpr int kFunctionalTapeLayers = 1;
inline constexpr int kReinforcedTapeLayers = 3;

struct WindingSheetRow {
  std::string step;     // "1", "2", ... from the core outwards
  std::string winding;  // "Primary", "IC supply", "Output 1"
  std::string turns;    // "53"
  std::string wire;     // "Ø 0.63 mm", "5 × Ø 0.28 mm": standard sizes
  std::string layers;   // "2: 37 + 16, spread"; "" where the bobbin width is not known
  std::string ends;     // "• drain → bus +": the start (•) and the finish
  std::string tape;     // layers of tape over it: "1", "3 reinforced", "chamber wall"
  std::string remark;   // "1.43 A rms", "100.04 V, 0.5 A, 1.1 A rms"
};

struct WindingSheet {
  std::vector<WindingSheetRow> rows;
  std::string bobbin;      // where the layers come from, or why there are none
  std::string phasing;     // the winding sense and what the dots mean
  std::string wire;        // the wire standard and how a size was chosen
  std::string insulation;  // what the primary-to-secondary insulation keeps
  std::string inductance;  // "534 µH ± 10 % (481 µH to 587 µH), measured …"
  std::string leakage;     // "at most 10.7 µH …, measured with the secondaries shorted"
  std::string airgap;      // the gap, ground into the centre leg or spaced
};

// The sheet of the calculated design with its turns; the layers come from the
// core of the loss `budget` where it has one, the leakage limit from its
// leakage figures.
WindingSheet MakeWindingSheet(const DesignState& s, const LossBudget& budget);

}  // namespace flyback

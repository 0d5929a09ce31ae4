#pragma once

// Every figure of the transformer result worked out in the open: the formula
// by which the calculation finds it, the formula with the values of the
// present design put in, and the figure as the result screen and the winding
// table show it. A reviewer can follow each number by hand from the inputs.

#include <string>
#include <vector>

#include "state/design/design_state.h"

namespace flyback {

struct Derivation {
  std::string figure;   // the name of the figure on the result screen: "Primary inductivity"
  std::string symbol;   // "L_prim"
  std::string formula;  // "n_prim² · AL"; "as entered" for an input
  std::string values;   // "53² · 190 nH"; empty for an input
  std::string result;   // "534 µH", rounded as the screen shows it
  bool on_screen;       // a line of the result screen, not a step towards one
};

// The result screen's figures and the quantities they are built from, in the
// order the calculation finds them. Texts are UTF-8, not yet escaped.
std::vector<Derivation> ResultDerivations(const DesignState& s);

// The figures of the winding table: the rms currents, the cross-sections and
// the actual voltages of every winding.
std::vector<Derivation> WindingDerivations(const DesignState& s);

}  // namespace flyback

#pragma once

#include <ostream>

#include "console/console.h"
#include "dialogue/design_state.h"
#include "dialogue/pages.h"

namespace flyback {

// Runs the whole dialogue from the introduction page until the user gives the
// empty answer; then ends the program through the console. `record`, when
// given, receives every answer taken, one per line, in the script format.
void RunDialogue(Console& console, DesignState& state, std::ostream* record = nullptr);

// Runs the page machine from `first` on (tests start it at any page).
void RunPages(Console& console, DesignState& state, Page first, std::ostream* record = nullptr);

}  // namespace flyback

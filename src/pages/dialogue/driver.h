#pragma once

#include "console/answer_log.h"
#include "console/console.h"
#include "design/design_state.h"
#include "dialogue/pages.h"

namespace flyback {

// Runs the whole dialogue from the introduction page until the user gives the
// empty answer; then ends the program through the console. `log`, when
// given, keeps every answer taken.
void RunDialogue(Console& console, DesignState& state, AnswerLog* log = nullptr);

// Runs the page machine from `first` on (tests start it at any page).
void RunPages(Console& console, DesignState& state, Page first, AnswerLog* log = nullptr);

}  // namespace flyback

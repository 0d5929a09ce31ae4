#pragma once

#include "base/console/answer_log.h"
#include "base/console/console.h"
#include "pages/dialogue/design_observer.h"
#include "pages/dialogue/pages.h"
#include "state/design/design_state.h"

namespace flyback {

// Runs the whole dialogue from the introduction page until the user gives the
// empty answer; then ends the program through the console. `log`, when
// given, keeps every answer taken; `observer`, when given, is told what
// happens to the design.
void RunDialogue(Console& console, DesignState& state, AnswerLog* log = nullptr,
                 DesignObserver* observer = nullptr);

// Runs the page machine from `first` on (tests start it at any page).
void RunPages(Console& console, DesignState& state, Page first, AnswerLog* log = nullptr,
              DesignObserver* observer = nullptr);

}  // namespace flyback

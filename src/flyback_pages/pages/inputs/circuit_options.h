#pragma once

#include "pages/dialogue/dialogue.h"

namespace flyback {

// The two fixed-frequency questions (minimum and maximum, kHz), also asked
// again when the lowest frequency cannot be reached.
void AskFixedFrequencies(Dialogue& d, DesignInputs& s);

}  // namespace flyback

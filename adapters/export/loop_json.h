#pragma once

// The feedback loop of an opto-regulated design as the "loop" object of the
// design file: the assumptions, the compensator as designed and rounded, and
// the stage and margins at each of the 12 corners.

#include <nlohmann/json.hpp>

#include "engine/loop/loop_design.h"

namespace flyback {

nlohmann::ordered_json LoopJson(const LoopDesign& loop);

}  // namespace flyback

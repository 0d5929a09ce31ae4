#pragma once

// The core adviser's ranking as the "alternatives" object of the design file.

#include <nlohmann/json.hpp>

#include "engine/adviser/core_ranking.h"

namespace flyback {

nlohmann::ordered_json AlternativesJson(const CoreAdvice& advice);

}  // namespace flyback

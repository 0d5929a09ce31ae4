#pragma once

// The transformer's hot spot worked out self-consistently: the core loss and
// the copper resistance depend on the temperature the losses cause, so the
// loss budget is worked out again at the temperature its own rise gives
// until the temperature settles. A rise that does not settle runs away.

#include <optional>

#include "engine/losses/loss_budget.h"
#include "engine/losses/user_core_data.h"
#include "state/design/design_state.h"

namespace flyback {

struct HotSpot {
  double T_C = 0;          // °C, ambient plus the transformer's rise
  bool runs_away = false;  // the rise grows with the temperature without settling
  LossBudget budget;       // at T_C (at the last temperature tried where it runs away)
};

// The hot spot of the calculated design `s` at the ambient temperature
// T_ambient_C (°C); none where the loss budget has no core geometry.
std::optional<HotSpot> SelfConsistentHotSpot(const DesignState& s, const UserCoreData* core_data,
                                             double T_ambient_C);

}  // namespace flyback

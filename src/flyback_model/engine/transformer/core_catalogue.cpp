#include "engine/transformer/core_catalogue.h"

#include <algorithm>
#include <cmath>

namespace flyback {

namespace {

constexpr int kSlotChoiceForZero = 4;
constexpr int kSlotChoiceFallback = 1;

const SlotTransformer& SlotRow(int choice) {
  return kSlotTransformers.at(static_cast<std::size_t>(choice - 1));
}

}  // namespace

const LayerCore& LayerCoreFor(std::string_view answer) {
  const auto* row = std::find_if(kLayerCores.begin(), kLayerCores.end(),
                                 [answer](const LayerCore& core) { return core.choice == answer; });
  return row != kLayerCores.end() ? *row : kLayerCores.front();
}

double LayerCoreAL(const LayerCore& core, double g) {
  return core.AL_k * std::pow(g, core.AL_x);
}

const SlotTransformer& SlotTransformerFor(std::optional<double> answer) {
  if (!answer) return SlotRow(kSlotChoiceFallback);
  if (*answer == 0) return SlotRow(kSlotChoiceForZero);
  const auto* row =
      std::find_if(kSlotTransformers.begin(), kSlotTransformers.end(),
                   [&answer](const SlotTransformer& t) { return t.choice == *answer; });
  return row != kSlotTransformers.end() ? *row : SlotRow(kSlotChoiceFallback);
}

}  // namespace flyback

#include "engine/adviser/core_candidates.h"

#include <algorithm>
#include <cmath>

#include "engine/transformer/core_catalogue.h"

namespace flyback {

namespace {

// mm, two airgaps closer than this are one.
constexpr double kSameAirgap_mm = 1e-6;

bool SameValue(double a, double b) {
  return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b));
}

void AddLayerCore(const DesignInputs& in, std::size_t index, std::vector<CoreCandidate>& list) {
  const LayerCore& core = kLayerCores.at(index);
  const std::optional<double> matching = AirgapForDesignInductance(in, index);
  const auto is_matching = [&matching](double g) {
    return matching && std::abs(*matching - g) <= kSameAirgap_mm;
  };
  std::vector<double> airgaps(kAdviserAirgaps_mm.begin(), kAdviserAirgaps_mm.end());
  if (matching && std::none_of(airgaps.begin(), airgaps.end(), is_matching)) {
    airgaps.insert(std::upper_bound(airgaps.begin(), airgaps.end(), *matching), *matching);
  }
  for (const double g : airgaps) {
    list.push_back({TransformerKind::kLayerCore, std::string(core.name), g, is_matching(g),
                    LayerCoreAL(core, g), core.Ae});
  }
}

}  // namespace

std::optional<double> AirgapForDesignInductance(const DesignInputs& in, std::size_t layer_core) {
  if (!(in.AL > 0 && in.Ae > 0)) return std::nullopt;
  const LayerCore& core = kLayerCores.at(layer_core);
  const double ratio = core.Ae / in.Ae;
  const double AL = in.AL * ratio * ratio;
  // AL = AL_k·g^AL_x, solved for g.
  const double g = std::pow(AL / core.AL_k, 1 / core.AL_x);
  if (!(g >= kAdviserAirgaps_mm.front() - kSameAirgap_mm &&
        g <= kAdviserAirgaps_mm.back() + kSameAirgap_mm)) {
    return std::nullopt;
  }
  return g;
}

std::vector<CoreCandidate> CoreCandidates(const DesignInputs& in) {
  std::vector<CoreCandidate> list;
  for (std::size_t i = 0; i < kLayerCores.size(); ++i) AddLayerCore(in, i, list);
  for (const SlotTransformer& slot : kSlotTransformers) {
    list.push_back({TransformerKind::kSlotTransformer, std::string(slot.stored_name), std::nullopt,
                    false, slot.AL, slot.Ae});
  }
  if (in.tr_kind == TransformerKind::kUserTransformer) {
    list.push_back(
        {TransformerKind::kUserTransformer, in.tr_name, std::nullopt, false, in.AL, in.Ae});
  }
  return list;
}

bool IsPresentTransformer(const DesignInputs& in, const CoreCandidate& candidate) {
  return candidate.kind == in.tr_kind && candidate.name == in.tr_name &&
         SameValue(candidate.AL_nH, in.AL) && SameValue(candidate.Ae_mm2, in.Ae);
}

}  // namespace flyback

#pragma once

// The transformers the core adviser tries for a design: every layer core of
// the catalogue at a series of airgaps, every slot-type transformer, and the
// engineer's own transformer where one was described.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "state/design/design_inputs.h"

namespace flyback {

// mm, the airgaps every layer core is tried at: about three steps a decade
// from 0.1 mm to 3 mm, the range over which the airgap laws of the catalogue
// hold.
inline constexpr std::array<double, 9> kAdviserAirgaps_mm = {0.1, 0.2, 0.3, 0.5, 0.7,
                                                             1.0, 1.5, 2.0, 3.0};

struct CoreCandidate {
  TransformerKind kind = TransformerKind::kLayerCore;
  std::string name;            // tr_name as the dialogue stores it
  std::optional<double> g_mm;  // airgap, layer cores only
  // A layer core at the airgap that gives the design's own primary inductance.
  bool matches_inductance = false;
  double AL_nH = 0;
  double Ae_mm2 = 0;
};

// mm, the airgap at which `core` gives the primary inductance of the design
// `in` at its magnetization and peak current: n_prim = Bmax·Ae/(I_D_max·AL)
// makes L_prim = 0.001·Bmax²·Ae²/(I_D_max²·AL), so the same inductance needs
// AL = AL_design·(Ae_core/Ae_design)². None where the design has no positive
// AL and Ae or the airgap falls outside kAdviserAirgaps_mm's range.
std::optional<double> AirgapForDesignInductance(const DesignInputs& in, std::size_t layer_core);

// Layer cores (catalogue order, airgaps ascending, the matching airgap in its
// place), then slot transformers, then the user's transformer when the type
// answer of the design is "3".
std::vector<CoreCandidate> CoreCandidates(const DesignInputs& in);

// Whether `candidate` is the transformer the design `in` has now.
bool IsPresentTransformer(const DesignInputs& in, const CoreCandidate& candidate);

}  // namespace flyback

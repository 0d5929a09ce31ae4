#pragma once

// How much a usable candidate's warnings weigh: each warning by the kind of
// fault it names and by how far its figure passes its bound, so that a
// candidate whose output misses its window by a few millivolts ranks above
// one that overheats. docs/adviser.md gives the weights and why.

#include <span>
#include <string_view>

#include "engine/checks/design_checks.h"

namespace flyback {

// The weight of a warning of code `code`.
double WarningWeight(std::string_view code);

// Σ weight·(1 + |value − bound|/|bound|) over the warnings among `findings`:
// every warning counts its weight, and more the farther it passes its bound.
double WeightedSeverity(std::span<const Finding> findings);

}  // namespace flyback

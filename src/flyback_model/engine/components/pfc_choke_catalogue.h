#pragma once

// Catalogue of the PFC choke L08, chosen from the primary inductance.

#include <array>
#include <optional>

#include "engine/components/catalogue_lookup.h"

namespace flyback {

// A step holds every primary inductance up to 300 times its choke value (the
// choke is about 1/300 of the primary inductance); within the step the first
// row whose current limit the mains current does not exceed is taken. A
// primary inductance that finds no row gets a computed choke value.
struct PfcChokeRow {
  double L_prim_max;   // µH, upper limit of the step
  double I_mains_max;  // A, current limit within the step
  double L08;          // mH
  // A, rated current of the proposed choke; none: the rounded mains current.
  std::optional<double> I_L08;
  Proposal proposal;  // printed after the value and the current
};

// Below this primary inductance (250 times the smallest step) no step fits.
inline constexpr double kPfcChokeLowestL_prim = 37.5;  // µH

inline constexpr Proposal kNoPfcChoke = {" PFC choke, no proposal", "", "",
                                         "PFC choke, no proposal"};

inline constexpr std::array<PfcChokeRow, 14> kPfcChokes = {{
    {45, kNoLimit, 0.15, std::nullopt, kNoPfcChoke},
    {75, kNoLimit, 0.25, std::nullopt, kNoPfcChoke},
    {105,
     kNoLimit,
     0.35,
     std::nullopt,
     {" PFC choke no proposal", "", "", "PFC choke, no proposal"}},
    {150,
     2.7,
     0.5,
     2.7,
     {" PFC choke, Epcos, no. B82614 - R2272 - A30", "B82614-R2272-A30", "", "PFC choke, Epcos"}},
    {150, kNoLimit, 0.5, std::nullopt, kNoPfcChoke},
    {225,
     2.4,
     0.75,
     2.4,
     {" PFC choke, Epcos, no. B82614-R2242-A30", "B82614-R2242-A30", "", "PFC choke, Epcos"}},
    {225, kNoLimit, 0.75, std::nullopt, kNoPfcChoke},
    {300,
     2,
     1,
     2,
     {" PFC choke, Epcos, no. B82614-R2202-A30", "B82614-R2202-A30", "", "PFC choke, Epcos"}},
    {300, kNoLimit, 1, std::nullopt, kNoPfcChoke},
    {450,
     1.7,
     1.5,
     1.7,
     {" PFC choke, Epcos, no. B82614-R2172-A30", "B82614-R2172-A30", "", "PFC choke, Epcos"}},
    {450, kNoLimit, 1.5, std::nullopt, kNoPfcChoke},
    // Taken up to 1.2 A although the choke is rated 1 A.
    {600,
     1.2,
     2,
     1,
     {" PFC choke, Epcos, no. B82614-R2102-A30", "B82614-R2102-A30", "", "PFC choke, Epcos"}},
    {600, kNoLimit, 2, std::nullopt, kNoPfcChoke},
    // Above 0.8 A the 3 mH step gets the computed choke value.
    {900,
     0.8,
     3,
     0.8,
     {" PFC choke, Epcos, no. B82614-R2801-A30", "B82614-R2801-A30", "", "PFC choke, Epcos"}},
}};

}  // namespace flyback

#pragma once

// The distances that reinforced insulation between the primary side and the
// secondaries of a mains transformer must keep, from the insulation
// coordination tables of IEC 60664-1, which IEC 62368-1 (Table 17) and
// IEC 61558-1 take their creepage distances from: pollution degree 2 (the
// inside of an ordinary enclosure) and insulating material group III (the
// usual bobbin and tape materials, CTI below 175).

#include <optional>

namespace flyback {

// mm, the clearance of reinforced insulation from mains up to 300 V rms in
// overvoltage category II: the 4 kV impulse, one step above the 2.5 kV of
// basic insulation, needs 3.0 mm (IEC 60664-1 Table F.2, inhomogeneous field).
inline constexpr double kReinforcedClearance_mm = 3.0;

// mm, the creepage distance of basic insulation at the working voltage U_V
// (V rms), linear between the rows of IEC 60664-1 Table F.4 (pollution
// degree 2, material group III) as the standard allows; none above 1000 V.
std::optional<double> BasicCreepage_mm(double U_V);

// mm, the margin tape on each side of a margin-wound bobbin for reinforced
// insulation at U_V (V): the creepage path from the primary to a secondary
// runs across both margins, so each is half of the reinforced distance (twice
// the basic one), rounded up to 0.1 mm; none above 1000 V.
std::optional<double> ReinforcedMargin_mm(double U_V);

}  // namespace flyback

#pragma once

// The leakage inductance of the flyback transformer, estimated from its
// winding: the energy of the field between and within the primary and the
// secondaries of a concentric layer winding (Dowell; transformer design
// handbooks):
//   L_lk = μ0·N_p²·MLT·(b_gap + (b_p + b_s)/3)/h_w
// with N_p the primary turns, MLT the mean turn length, b_gap the insulation
// between primary and secondaries, b_p and b_s the radial builds of the
// primary and of the secondaries stacked on it, and h_w the winding width.
// docs/losses-models.md gives its source, assumptions and known error.

#include <vector>

namespace flyback {

// mm, insulation between the primary and the secondaries: three layers of
// 0.05 mm polyester tape, the usual reinforced insulation of a margin-wound
// mains transformer.
inline constexpr double kPrimarySecondaryInsulation_mm = 0.15;
// mm, one layer of tape between two secondaries.
inline constexpr double kSecondarySecondaryInsulation_mm = 0.05;
// How much more leakage a sectioned (chamber) bobbin has than a concentric
// winding of the same turns: the ratio of the middles of the published
// ranges, 3–6 % against 1–3 % of L_prim.
inline constexpr double kSectionedBobbinFactor = 2.25;

// The build of one winding: its layers and the pitch of its wire.
struct WindingBuild {
  int layers = 0;
  double pitch_mm = 0;  // mm, outer diameter of one wire
};

struct LeakageWinding {
  double primary_turns = 0;
  WindingBuild primary;
  std::vector<WindingBuild> secondaries;  // wound one on the other
  double mean_turn_length_mm = 0;
  double winding_width_mm = 0;
  bool sectioned_bobbin = false;  // a slot-type (chamber) transformer
};

// µH, the estimate for `winding`.
double EstimatedLeakage(const LeakageWinding& winding);

}  // namespace flyback

#pragma once

// Divider that sets the opto-regulated output voltage U1 with a shunt
// regulator: R65 from the output to the reference node, below it R60 in
// series with the trimmer P60. With the trimmer at its maximum the output
// sits at the lower end of the adjustment range, at zero at the upper end.

namespace flyback {

inline constexpr double kShuntReference = 2.5;  // V, reference of the shunt regulator

struct OptoDivider {
  double R60;  // kOhm, E24 value
  double R65;  // kOhm, E24 value, from the rounded R60
};

// Adjustment range U1rmin ... U1rmax (V), trimmer P60 (kOhm), reference U_ref
// (V). A range end at or below the reference, or a range of zero width, gives
// a raw value that is zero, negative or not finite, which round_e24 rounds as
// 0.000001.
OptoDivider dimension_opto_divider(double U1rmin, double U1rmax, double P60, double U_ref);

// The adjustment range (V, to 0.1 V) that the rounded parts really give: the
// trimmer P60 fully in (low end) and fully out (high end).
struct OptoRange {
  double U1_low;
  double U1_high;
};
OptoRange RealOptoRange(double U_ref, double R60, double R65, double P60);

}  // namespace flyback

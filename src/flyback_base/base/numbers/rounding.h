#pragma once

namespace flyback {

// RoundTo(x, K): x multiplied by 10^K, rounded half-to-even to a whole number
// and divided by 10^K, for K from 0 to 3: the one rounding of every shown and
// stored figure. Values beyond the 16-bit range are rounded the same way at
// full width instead of overflowing.
double RoundTo(double x, int decimals);

// A whole count (wires, layers) as an int: held at the int's range, where
// an absurd design (4.6e9 parallel wires) would overflow the conversion;
// 0 for a count that is not a number.
int CountAsInt(double count);

}  // namespace flyback

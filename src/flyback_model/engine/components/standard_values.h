#pragma once

// Standard-value rounding: a computed component value (resistance,
// capacitance, potentiometer value, time) becomes a value that can be bought.
// The functions work in whatever unit the caller holds the value in (kOhm,
// Ohm, pF, nF, µF); the result is in the same unit.

#include <array>

namespace flyback {

// One row of a series table. A value scaled into the decade 10 ... 100 that
// reaches `threshold` takes `mantissa` (unless a later row is reached too).
struct SeriesStep {
  double threshold;
  double mantissa;
};

// E24 series; each threshold is the midpoint between two neighbouring values.
inline constexpr std::array<SeriesStep, 25> kE24Steps = {{
    {10, 10},   {10.5, 11}, {11.5, 12}, {12.5, 13},  {14, 15},   {15.5, 16}, {17, 18},
    {19, 20},   {21, 22},   {23, 24},   {25.5, 27},  {28.5, 30}, {31.5, 33}, {34.5, 36},
    {37.5, 39}, {41, 43},   {45, 47},   {49, 51},    {53.5, 56}, {59, 62},   {65, 68},
    {71.5, 75}, {78.5, 82}, {86.5, 91}, {95.5, 100},
}};

// Potentiometer steps 2, 5, 10 per decade: a value is rounded up to the next
// step, except that up to one unit (of the scaled decade) above a step it
// stays on that step.
inline constexpr std::array<SeriesStep, 3> kPotSteps = {{
    {10, 20},
    {21, 50},
    {51, 100},
}};

// E12 without 12 and 18; each threshold equals its value, so a value is
// rounded down to the largest series value not above it.
inline constexpr std::array<SeriesStep, 10> kE12DownSteps = {{
    {10, 10},
    {15, 15},
    {22, 22},
    {27, 27},
    {33, 33},
    {39, 39},
    {47, 47},
    {56, 56},
    {68, 68},
    {82, 82},
}};

// Nearest E24 value. Zero, negative, non-finite and vanishingly small values
// (below 1E-300) are rounded as 0.000001.
double round_e24(double x);

// Potentiometer value 2, 5 or 10 times a power of ten. Zero, negative,
// non-finite and vanishingly small values are rounded as 0.000001 (giving
// 0.000002).
double round_pot(double x);

// Next lower value of the reduced E12 series. Zero, negative, non-finite and
// vanishingly small values are rounded as 1.
double round_down_e12(double x);

}  // namespace flyback

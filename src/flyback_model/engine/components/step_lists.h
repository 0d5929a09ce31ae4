#pragma once

// Standard ratings that a computed current, capacitance or voltage is raised
// to: the first step not below the value, the last step above the last one.

#include <array>

namespace flyback {

// Output capacitors C41 ... C46 and the DC filter capacitor C05.
inline constexpr std::array<double, 12> kOutputCapacitorVoltages = {  // V
    16, 25, 40, 63, 100, 150, 220, 250, 385, 400, 450, 500};
inline constexpr std::array<double, 10> kOutputCapacitances = {  // µF
    10, 22, 47, 100, 220, 470, 1000, 2200, 4700, 10000};

// Mains fuse F01. There are no steps at 1, 2.5, 5 or 8 A.
inline constexpr std::array<double, 15> kFuseRatings = {  // A
    0.125, 0.2, 0.315, 0.5, 0.63, 0.8, 1.25, 1.6, 2, 3.15, 4, 6.3, 10, 16, 25};

// Bulk capacitor C07 (its own series, not the one of the output capacitors).
inline constexpr std::array<double, 12> kBulkCapacitances = {  // µF
    10, 22, 47, 100, 150, 220, 330, 470, 1000, 2200, 4700, 10000};
inline constexpr std::array<double, 12> kBulkCapacitorVoltages = {  // V
    16, 25, 63, 100, 150, 200, 250, 300, 385, 400, 450, 500};

}  // namespace flyback

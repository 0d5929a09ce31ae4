#pragma once

// The row shapes shared by the part catalogues and their lookups. Every
// catalogue lists its rows in ascending order of the limits.

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

namespace flyback {

inline constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// A proposal that holds while the value stays below `below` (strictly).
struct TextBelow {
  double below;
  std::string_view text;
};

// A proposal that replaces the ones before it once the value is greater than
// `above`; the first row (above -kNoLimit) is where the choice starts.
struct TextAbove {
  double above;
  std::string_view text;
};

// The first row whose limit lies above the value; the last row (limit
// kNoLimit) takes everything else.
template <std::size_t N>
std::string_view FirstTextBelow(const std::array<TextBelow, N>& rows, double value) {
  for (const TextBelow& row : rows) {
    if (value < row.below) return row.text;
  }
  return rows.back().text;
}

// Starting from the first row, every later row whose threshold the value
// exceeds replaces the choice: the last condition that holds wins.
template <std::size_t N>
std::string_view LastTextAbove(const std::array<TextAbove, N>& rows, double value) {
  std::string_view chosen = rows.front().text;
  for (const TextAbove& row : rows) {
    if (value > row.above) chosen = row.text;
  }
  return chosen;
}

// A step list (fuse ratings, capacitor values and voltages): the first step
// that is not below the value; above the last step the last one.
template <std::size_t N>
double FirstStepNotBelow(const std::array<double, N>& steps, double value) {
  for (double step : steps) {
    if (!(value > step)) return step;
  }
  return steps.back();
}

// Two-level catalogues (output diodes, MOSFETs, PFC chokes): the rows are
// grouped by an ascending class limit. The class is the first whose limit the
// class value does not exceed; within it the first row whose limit the row
// value does not exceed is taken. Null when no row fits.
template <typename Row, std::size_t N>
const Row* FirstRowAtMost(const std::array<Row, N>& rows, double Row::*class_limit,
                          double class_value, double Row::*row_limit, double row_value) {
  const auto in_class = std::find_if(
      rows.begin(), rows.end(), [&](const Row& row) { return class_value <= row.*class_limit; });
  for (auto row = in_class; row != rows.end() && (*row).*class_limit == (*in_class).*class_limit;
       ++row) {
    if (row_value <= (*row).*row_limit) return &*row;
  }
  return nullptr;
}

}  // namespace flyback

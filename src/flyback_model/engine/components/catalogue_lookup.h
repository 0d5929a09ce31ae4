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

// A catalogue part as the component list proposes it: the words the list
// prints, kept as they have always stood (blanks, "1A", "50ns" and all), and
// the same part as clean fields for a parts list. The two say the same; only
// the layout differs.
struct Proposal {
  std::string_view printed;  // from the value zone on: " 4* BYW76      600 V, 1A, 50ns"
  std::string_view part;     // type: "BYW76"; "" where the catalogue names none
  std::string_view rating;   // "600 V, 1 A, 50 ns"; "" where none
  std::string_view remark = {};
  int quantity = 1;  // parts of the proposal: 4 for a bridge of single diodes
  double value = 0;  // in `unit`; the list gives a value only where `unit` is set
  std::string_view unit = {};

  friend constexpr bool operator==(const Proposal&, const Proposal&) = default;
};

// A proposal that holds while the value stays below `below` (strictly).
struct ProposalBelow {
  double below;
  Proposal proposal;
};

// A proposal that replaces the ones before it once the value is greater than
// `above`; the first row (above -kNoLimit) is where the choice starts.
struct ProposalAbove {
  double above;
  Proposal proposal;
};

// The first row whose limit lies above the value; the last row (limit
// kNoLimit) takes everything else.
template <std::size_t N>
const Proposal& FirstBelow(const std::array<ProposalBelow, N>& rows, double value) {
  for (const ProposalBelow& row : rows) {
    if (value < row.below) return row.proposal;
  }
  return rows.back().proposal;
}

// Starting from the first row, every later row whose threshold the value
// exceeds replaces the choice: the last condition that holds wins.
template <std::size_t N>
const Proposal& LastAbove(const std::array<ProposalAbove, N>& rows, double value) {
  const Proposal* chosen = &rows.front().proposal;
  for (const ProposalAbove& row : rows) {
    if (value > row.above) chosen = &row.proposal;
  }
  return *chosen;
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

#pragma once

// Rows of the component list: a designator, a value and, for most parts, a
// rating, in three print zones. A value is either a fixed text or a
// dimensioned quantity of the design followed by its unit.

#include <span>
#include <string_view>
#include <vector>

#include "base/console/line.h"
#include "state/design/component_values.h"
#include "state/design/design_inputs.h"

namespace flyback {

// When a row is written.
enum class ListCondition {
  kAlways,
  kOpto,    // with opto regulation
  kNoOpto,  // without opto regulation
  kThp,     // with the temporary high power circuit
  kNoThp,
  kFixedFrequency,
  kMainsAbove150V,  // U_mains_max above 150 V rms
  kMainsAtMost150V,
};

bool ListConditionHolds(ListCondition when, const DesignInputs& in);

struct PartRow {
  ListCondition when = ListCondition::kAlways;
  std::string_view designator;               // "": an empty line
  std::string_view value_text;               // a fixed value; unused when `value` is set
  double ComponentValues::*value = nullptr;  // a dimensioned value
  std::string_view unit;                     // written right after the dimensioned value
  std::string_view rating;                   // third zone; "": none
  double divisor = 1;                        // the value is written divided by this
  // Values below 1 are written multiplied by 1000 in this unit ("": never).
  std::string_view small_unit = {};
};

// Row builders for the tables.
constexpr PartRow EmptyRow(ListCondition when = ListCondition::kAlways) {
  PartRow row;
  row.when = when;
  return row;
}

// A line of its own: a heading, or a text without value.
constexpr PartRow TextRow(std::string_view text) {
  PartRow row;
  row.designator = text;
  return row;
}

// A part with a fixed value text.
constexpr PartRow FixedPart(ListCondition when, std::string_view designator,
                            std::string_view value_text, std::string_view rating) {
  PartRow row;
  row.when = when;
  row.designator = designator;
  row.value_text = value_text;
  row.rating = rating;
  return row;
}

// A part with a dimensioned value (written divided by `divisor`; below 1,
// when `small_unit` is given, multiplied by 1000 in that unit).
constexpr PartRow DimensionedPart(ListCondition when, std::string_view designator,
                                  double ComponentValues::*value, std::string_view unit,
                                  std::string_view rating, double divisor = 1,
                                  std::string_view small_unit = {}) {
  PartRow row;
  row.when = when;
  row.designator = designator;
  row.value = value;
  row.unit = unit;
  row.rating = rating;
  row.divisor = divisor;
  row.small_unit = small_unit;
  return row;
}

// The line of a row for the dimensioned values (the row's condition is not
// checked).
Line PartLine(const PartRow& row, const ComponentValues& values);

// Appends the lines of the rows whose condition holds for the design.
void AppendPartLines(std::span<const PartRow> rows, const DesignInputs& in,
                     const ComponentValues& values, std::vector<Line>& lines);

}  // namespace flyback

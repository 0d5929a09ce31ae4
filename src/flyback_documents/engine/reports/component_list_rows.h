#pragma once

// Table rows of the component list: a designator and either a fixed value, a
// dimensioned value of the design or a part type, with its rating and remark.

#include <span>
#include <string_view>

#include "engine/reports/component_list_writer.h"
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
  double fixed_value = 0;                    // in `unit`, where neither `value` nor `part` is set
  double ComponentValues::*value = nullptr;  // a dimensioned value
  std::string_view unit;
  std::string_view part;  // a type in place of a value: "1N4148"
  std::string_view rating;
  std::string_view remark;
  double divisor = 1;  // the dimensioned value is listed divided by this
  // Dimensioned values below 1 are listed multiplied by 1000 in this unit
  // ("": never).
  std::string_view small_unit;
  // Where the printed list words the row otherwise (see PrintedWords).
  std::string_view printed_unit;
  std::string_view printed_third_zone;

  constexpr PartRow Rated(std::string_view text) const {
    PartRow row = *this;
    row.rating = text;
    return row;
  }
  constexpr PartRow Remarked(std::string_view text) const {
    PartRow row = *this;
    row.remark = text;
    return row;
  }
  constexpr PartRow Scaled(double by, std::string_view small = {}) const {
    PartRow row = *this;
    row.divisor = by;
    row.small_unit = small;
    return row;
  }
  constexpr PartRow PrintedAs(std::string_view unit_text, std::string_view third_zone) const {
    PartRow row = *this;
    row.printed_unit = unit_text;
    row.printed_third_zone = third_zone;
    return row;
  }
};

// Row builders for the tables.
constexpr PartRow EmptyRow(ListCondition when = ListCondition::kAlways) {
  PartRow row;
  row.when = when;
  return row;
}

constexpr PartRow FixedValue(ListCondition when, std::string_view designator, double value,
                             std::string_view unit) {
  PartRow row = EmptyRow(when);
  row.designator = designator;
  row.fixed_value = value;
  row.unit = unit;
  return row;
}

constexpr PartRow DimensionedPart(ListCondition when, std::string_view designator,
                                  double ComponentValues::*value, std::string_view unit) {
  PartRow row = EmptyRow(when);
  row.designator = designator;
  row.value = value;
  row.unit = unit;
  return row;
}

constexpr PartRow TypePart(ListCondition when, std::string_view designator, std::string_view part) {
  PartRow row = EmptyRow(when);
  row.designator = designator;
  row.part = part;
  return row;
}

// The component row of a part row for the dimensioned values.
ComponentRow RowOf(const PartRow& row, const ComponentValues& values);

// Writes the rows whose condition holds for the design: parts, and empty
// lines for the rows without designator.
void WritePartRows(std::span<const PartRow> rows, const DesignInputs& in,
                   const ComponentValues& values, ComponentListWriter& list);

}  // namespace flyback

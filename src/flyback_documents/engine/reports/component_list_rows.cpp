#include "engine/reports/component_list_rows.h"

namespace flyback {

bool ListConditionHolds(ListCondition when, const DesignInputs& in) {
  switch (when) {
    case ListCondition::kAlways:
      return true;
    case ListCondition::kOpto:
      return in.opto_reg;
    case ListCondition::kNoOpto:
      return !in.opto_reg;
    case ListCondition::kThp:
      return in.THP;
    case ListCondition::kNoThp:
      return !in.THP;
    case ListCondition::kFixedFrequency:
      return in.fixed_freq;
    case ListCondition::kMainsAbove150V:
      return in.U_mains_max > 150;
    case ListCondition::kMainsAtMost150V:
      return !(in.U_mains_max > 150);
  }
  return false;
}

ComponentRow RowOf(const PartRow& row, const ComponentValues& values) {
  ComponentRow part{.designator = std::string(row.designator),
                    .unit = std::string(row.unit),
                    .part = std::string(row.part),
                    .rating = std::string(row.rating),
                    .remark = std::string(row.remark)};
  if (row.value == nullptr) {
    if (row.part.empty()) part.value = row.fixed_value;
  } else if (!row.small_unit.empty() && values.*row.value < 1) {
    part.value = 1000 * (values.*row.value);
    part.unit = row.small_unit;
  } else {
    part.value = values.*row.value / row.divisor;
  }
  return part;
}

void WritePartRows(std::span<const PartRow> rows, const DesignInputs& in,
                   const ComponentValues& values, ComponentListWriter& list) {
  for (const PartRow& row : rows) {
    if (!ListConditionHolds(row.when, in)) continue;
    if (row.designator.empty()) {
      list.Write();
      continue;
    }
    list.Part(RowOf(row, values), {.unit = std::string(row.printed_unit),
                                   .third_zone = std::string(row.printed_third_zone)});
  }
}

}  // namespace flyback

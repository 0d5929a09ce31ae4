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

Line PartLine(const PartRow& row, const ComponentValues& values) {
  if (row.designator.empty()) return {};
  if (row.value == nullptr && row.value_text.empty()) return {row.designator};
  Line line{row.designator, zone};
  if (row.value == nullptr) {
    line.emplace_back(row.value_text);
  } else if (!row.small_unit.empty() && values.*row.value < 1) {
    line.emplace_back(1000 * (values.*row.value));
    line.emplace_back(row.small_unit);
  } else {
    line.emplace_back(values.*row.value / row.divisor);
    line.emplace_back(row.unit);
  }
  if (!row.rating.empty()) {
    line.emplace_back(zone);
    line.emplace_back(row.rating);
  }
  return line;
}

void AppendPartLines(std::span<const PartRow> rows, const DesignInputs& in,
                     const ComponentValues& values, std::vector<Line>& lines) {
  for (const PartRow& row : rows) {
    if (ListConditionHolds(row.when, in)) lines.push_back(PartLine(row, values));
  }
}

}  // namespace flyback

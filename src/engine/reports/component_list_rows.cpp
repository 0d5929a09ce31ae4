#include "reports/component_list_rows.h"

namespace flyback {

bool ListConditionHolds(ListCondition when, const DesignState& s) {
  switch (when) {
    case ListCondition::kAlways:
      return true;
    case ListCondition::kOpto:
      return s.opto_reg == "1";
    case ListCondition::kNoOpto:
      return s.opto_reg == "0";
    case ListCondition::kNotOpto:
      return s.opto_reg != "1";
    case ListCondition::kThp:
      return s.THP;
    case ListCondition::kNoThp:
      return !s.THP;
    case ListCondition::kFixedFrequency:
      return s.fixed_freq == "1";
    case ListCondition::kMainsAbove150V:
      return s.U_mains_max > 150;
    case ListCondition::kMainsAtMost150V:
      return !(s.U_mains_max > 150);
  }
  return false;
}

Line PartLine(const PartRow& row, const DesignState& s) {
  if (row.designator.empty()) return {};
  if (row.value == nullptr && row.value_text.empty()) return {row.designator};
  Line line{row.designator, zone};
  if (row.value == nullptr) {
    line.emplace_back(row.value_text);
  } else if (!row.small_unit.empty() && s.*row.value < 1) {
    line.emplace_back(1000 * (s.*row.value));
    line.emplace_back(row.small_unit);
  } else {
    line.emplace_back(s.*row.value / row.divisor);
    line.emplace_back(row.unit);
  }
  if (!row.rating.empty()) {
    line.emplace_back(zone);
    line.emplace_back(row.rating);
  }
  return line;
}

void AppendPartLines(std::span<const PartRow> rows, const DesignState& s,
                     std::vector<Line>& lines) {
  for (const PartRow& row : rows) {
    if (ListConditionHolds(row.when, s)) lines.push_back(PartLine(row, s));
  }
}

}  // namespace flyback

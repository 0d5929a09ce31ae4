#include "engine/reports/component_list_writer.h"

namespace flyback {

namespace {

constexpr std::string_view kIndent = "      ";

// The third zone as the fields give it: " 2 W, voltage proof"; "" for none.
std::string RatingAndRemark(const ComponentRow& row) {
  std::string text = row.rating;
  if (!text.empty() && !row.remark.empty()) text += ", ";
  text += row.remark;
  return text.empty() ? text : " " + text;
}

}  // namespace

Line PrintedLine(const ComponentRow& row, const PrintedWords& words) {
  Line line{std::string(kIndent) + (words.designator.empty() ? row.designator : words.designator),
            zone};
  if (!words.value_zone.empty()) {
    line.insert(line.end(), words.value_zone.begin(), words.value_zone.end());
    return line;
  }
  if (row.value) {
    line.emplace_back(*row.value);
    line.emplace_back(words.unit.empty() ? row.unit : words.unit);
  } else {
    line.emplace_back(" " + row.part);
  }
  const std::string third = words.third_zone.empty() ? RatingAndRemark(row) : words.third_zone;
  if (!third.empty()) {
    line.emplace_back(zone);
    line.emplace_back(third);
  }
  return line;
}

void ComponentListWriter::WriteEmpty(int count) {
  for (int i = 0; i < count; ++i) Write();
}

void ComponentListWriter::Part(ComponentRow row, const PrintedWords& words) {
  lines_.push_back(PrintedLine(row, words));
  rows_.push_back(std::move(row));
}

void ComponentListWriter::Proposed(std::string designator, const Proposal& proposal,
                                   std::string printed_designator) {
  ComponentRow row{.designator = std::move(designator),
                   .quantity = proposal.quantity,
                   .part = std::string(proposal.part),
                   .rating = std::string(proposal.rating),
                   .remark = std::string(proposal.remark)};
  if (!proposal.unit.empty()) {
    row.value = proposal.value;
    row.unit = proposal.unit;
  }
  Part(std::move(row), {.designator = std::move(printed_designator),
                        .value_zone = {std::string(proposal.printed)}});
}

}  // namespace flyback

#include "bom_csv.h"

#include <cmath>

#include "base/console/number_text.h"

namespace flyback {

namespace {

// A field quoted where it holds a comma, a quote or a line end.
void AppendField(std::string& csv, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    csv += field;
    return;
  }
  csv += '"';
  for (char c : field) {
    if (c == '"') csv += '"';
    csv += c;
  }
  csv += '"';
}

void AppendRow(std::string& csv, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) csv += ',';
    AppendField(csv, fields[i]);
  }
  csv += "\r\n";
}

// The value as the list writes it, with its sign and without blanks: the
// one figure of a row. One that is not finite is named in `non_finite`.
std::string ValueText(const ComponentRow& row, std::string* non_finite) {
  if (!row.value) return {};
  if (!std::isfinite(*row.value) && non_finite != nullptr && non_finite->empty()) {
    *non_finite = "the value of " + row.designator + " is not finite";
  }
  return SignedNumberText(*row.value);
}

}  // namespace

std::string PartsListCsv(const std::vector<ComponentRow>& rows, std::string* non_finite) {
  std::string csv;
  AppendRow(csv, {"designator", "quantity", "value", "unit", "part", "rating", "remark"});
  for (const ComponentRow& row : rows) {
    AppendRow(csv, {row.designator, std::to_string(row.quantity), ValueText(row, non_finite),
                    row.unit, row.part, row.rating, row.remark});
  }
  return csv;
}

}  // namespace flyback

#include "bom_csv.h"

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

// The value as the list writes it, with its sign and without blanks.
std::string ValueText(const ComponentRow& row) {
  if (!row.value) return {};
  return SignedNumberText(*row.value);
}

}  // namespace

std::string PartsListCsv(const std::vector<ComponentRow>& rows) {
  std::string csv;
  AppendRow(csv, {"designator", "quantity", "value", "unit", "part", "rating", "remark"});
  for (const ComponentRow& row : rows) {
    AppendRow(csv, {row.designator, std::to_string(row.quantity), ValueText(row), row.unit,
                    row.part, row.rating, row.remark});
  }
  return csv;
}

}  // namespace flyback

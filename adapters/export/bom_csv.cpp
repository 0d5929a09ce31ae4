#include "bom_csv.h"

#include <cmath>
#include <utility>

#include "base/console/number_text.h"
#include "csv_row.h"

namespace flyback {

namespace {

// A figure as the list writes it, with its sign and without blanks. One
// that is not finite is named in `non_finite` (`what`: "the value of C41").
std::string FigureText(double figure, const std::string& what, std::string* non_finite) {
  if (!std::isfinite(figure) && non_finite != nullptr && non_finite->empty()) {
    *non_finite = what + " is not finite";
  }
  return SignedNumberText(figure);
}

// The stress columns of the part `designator`: empty where it has none.
std::vector<std::string> StressFields(const std::string& designator,
                                      const std::vector<PartStress>& stresses,
                                      std::string* non_finite) {
  const PartStress* p = GoverningStress(stresses, designator);
  if (p == nullptr) return std::vector<std::string>(6);
  return {p->quantity,
          FigureText(p->stress, "the stress of " + designator, non_finite),
          p->unit,
          FigureText(p->rating, "the stress rating of " + designator, non_finite),
          FigureText(p->DeratedLimit(), "the derated limit of " + designator, non_finite),
          p->point};
}

}  // namespace

std::string PartsListCsv(const std::vector<ComponentRow>& rows,
                         const std::vector<PartStress>& stresses, std::string* non_finite) {
  std::string csv;
  AppendRow(csv, {"designator", "quantity", "value", "unit", "part", "rating", "remark",
                  "stress_quantity", "stress", "stress_unit", "stress_rating", "derated_limit",
                  "stress_point"});
  for (const ComponentRow& row : rows) {
    std::vector<std::string> fields{
        row.designator,
        std::to_string(row.quantity),
        row.value ? FigureText(*row.value, "the value of " + row.designator, non_finite) : "",
        row.unit,
        row.part,
        row.rating,
        row.remark};
    for (std::string& field : StressFields(row.designator, stresses, non_finite)) {
      fields.push_back(std::move(field));
    }
    AppendRow(csv, fields);
  }
  return csv;
}

}  // namespace flyback

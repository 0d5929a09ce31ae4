#include "design_export.h"

#include "atomic_file.h"
#include "bom_csv.h"

namespace flyback {

void DesignExport::CalculationRun(const DesignState& /*design*/, int /*passes*/) {
  components_current_ = false;
}

void DesignExport::DesignShown(const DesignState& design) {
  WriteDesign(design);
}

void DesignExport::ComponentsDimensioned(const DesignState& design) {
  components_current_ = true;
  WriteDesign(design);
  if (!parts_list_file_.empty()) {
    ReplaceFile(parts_list_file_, PartsListCsv(ComponentEntries(design)), "the parts list");
  }
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (design_file_.empty()) return;
  ReplaceFile(design_file_, DesignJson(design, components_current_, last_optimization()),
              "the design file");
}

}  // namespace flyback

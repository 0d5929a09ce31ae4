#include "design_export.h"

#include "atomic_file.h"
#include "bom_csv.h"

namespace flyback {

void DesignExport::DesignShown(const DesignState& design) {
  WriteDesign(design);
}

void DesignExport::ComponentsDimensioned(const DesignState& design) {
  WriteDesign(design);
  if (!parts_list_file_.empty() && design.component_list) {
    ReplaceFile(parts_list_file_, PartsListCsv(*design.component_list), "the parts list");
  }
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (design_file_.empty()) return;
  ReplaceFile(design_file_, DesignJson(design, last_optimization(), core_data_), "the design file");
}

}  // namespace flyback

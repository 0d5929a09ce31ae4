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

void DesignExport::OptimizationStarted(double start_Bmax) {
  optimization_ = OptimizationRecord{start_Bmax, {}, std::nullopt, std::nullopt};
}

void DesignExport::SweepRowListed(const SweepPoint& row) {
  if (optimization_) optimization_->rows.push_back(row);
}

void DesignExport::OptimizationFinished(const SweepPoint& best, double chosen_Bmax) {
  if (!optimization_) return;
  // Before any row was listed, the best row is only the start of the sweep.
  if (!optimization_->rows.empty()) optimization_->best = best;
  optimization_->chosen_Bmax = chosen_Bmax;
}

void DesignExport::WriteDesign(const DesignState& design) {
  if (design_file_.empty()) return;
  ReplaceFile(design_file_, DesignJson(design, components_current_, optimization_),
              "the design file");
}

}  // namespace flyback

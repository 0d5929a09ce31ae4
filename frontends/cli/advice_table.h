#pragma once

// The core adviser's ranking as a table on standard error in script mode
// (--advise), written whenever the dialogue shows a calculated design; the
// transcript on standard output stays as it is.

#include <ostream>
#include <string>

#include "engine/adviser/core_ranking.h"
#include "pages/dialogue/design_observer.h"

namespace flyback {

// One heading line with the drain-voltage limit and the weights, a line of
// column names and a line per candidate in the order of the ranking; the
// present transformer is marked with "*".
std::string AdviceTableText(const CoreAdvice& advice);

class AdviceTable : public DesignObserver {
 public:
  // `core_data`: as for AdviseCores; it outlives the table.
  AdviceTable(std::ostream& out, const UserCoreData* core_data)
      : out_(out), core_data_(core_data) {}

  void DesignShown(const DesignState& design) override;

 private:
  std::ostream& out_;
  const UserCoreData* core_data_;
};

}  // namespace flyback

#pragma once

// The component list as a parts list in CSV (RFC 4180, UTF-8, CRLF line
// ends): a header row, then one row per designator with its quantity, value,
// unit, part proposal or type, rating and remark, and for a part the loss
// budget stresses its governing stress beside its rating (docs/export.md).

#include <string>
#include <vector>

#include "engine/checks/part_stress.h"
#include "state/design/component_row.h"

namespace flyback {

// `stresses` are the design's part stresses (PartStresses). Where a figure
// is not finite, `non_finite` (if given) names it ("the value of C41 is not
// finite") and the list is not to be written.
std::string PartsListCsv(const std::vector<ComponentRow>& rows,
                         const std::vector<PartStress>& stresses,
                         std::string* non_finite = nullptr);

}  // namespace flyback

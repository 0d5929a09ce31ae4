#pragma once

// The component list as a parts list in CSV (RFC 4180, UTF-8, CRLF line
// ends): a header row, then one row per designator with its quantity, value,
// unit, part proposal or type, rating and remark.

#include <string>
#include <vector>

#include "state/design/component_row.h"

namespace flyback {

// Where a value is not finite, `non_finite` (if given) names it ("the
// value of C41 is not finite") and the list is not to be written.
std::string PartsListCsv(const std::vector<ComponentRow>& rows, std::string* non_finite = nullptr);

}  // namespace flyback

#pragma once

// The component list as a parts list in CSV (RFC 4180, UTF-8, CRLF line
// ends): a header row, then one row per designator with its quantity, value,
// unit, part proposal or type, rating and remark.

#include <string>
#include <vector>

#include "state/design/component_row.h"

namespace flyback {

std::string PartsListCsv(const std::vector<ComponentRow>& rows);

}  // namespace flyback

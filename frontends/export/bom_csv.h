#pragma once

// The component list as a parts list in CSV (RFC 4180, UTF-8, CRLF line
// ends): a header row, then one row per designator with its value, unit,
// part proposal or type, rating and remark.

#include <string>
#include <vector>

#include "engine/reports/component_entries.h"

namespace flyback {

std::string PartsListCsv(const std::vector<ComponentEntry>& entries);

}  // namespace flyback

#pragma once

// The efficiency map as CSV (--efficiency-map FILE.csv): a line per point,
// by input voltage and load, with no load after the loads of each voltage;
// the columns the point's figures and then every loss term in W. Numbers in
// the program's locale-free number text.

#include <string>

#include "engine/efficiency/efficiency_map.h"

namespace flyback {

std::string EfficiencyMapCsv(const EfficiencyMap& map);

}  // namespace flyback

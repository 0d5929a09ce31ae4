#include "engine/adviser/warning_severity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace flyback {

namespace {

struct CodeWeight {
  std::string_view code;
  double weight;
};

// Faults that stress a part or overheat the stage weigh most; a figure that
// only misses what the engineer asked for (an output's window, the assumed
// efficiency) weighs least. Codes not listed weigh 1.
constexpr std::array<CodeWeight, 9> kWeights = {{
    {"drain-voltage-above-limit", 5},
    {"magnetization-above-limit", 5},
    {"fixed-frequency-magnetization-above-limit", 5},
    {"part-stress-high", 4},
    {"transformer-temperature-rise-high", 3},
    {"core-loss-density-high", 3},
    {"clamp-loss-high", 2},
    {"output-voltage-high", 1},
    {"output-voltage-low", 1},
}};

constexpr double kDefaultWeight = 1;

}  // namespace

double WarningWeight(std::string_view code) {
  const auto* found = std::find_if(kWeights.begin(), kWeights.end(),
                                   [code](const CodeWeight& w) { return w.code == code; });
  return found == kWeights.end() ? kDefaultWeight : found->weight;
}

double WeightedSeverity(std::span<const Finding> findings) {
  double severity = 0;
  for (const Finding& f : findings) {
    if (f.severity != Severity::kWarning) continue;
    const double excess = std::isfinite(f.bound) && f.bound != 0
                              ? std::abs(f.value - f.bound) / std::abs(f.bound)
                              : 0;
    severity += WarningWeight(f.code) * (1 + (std::isfinite(excess) ? excess : 0));
  }
  return severity;
}

}  // namespace flyback

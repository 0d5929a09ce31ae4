#include "engine/simulation/loop_simulation.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace flyback {

std::vector<SimulatedLoopCorner> LoopCornersToSimulate(const LoopDesign& loop) {
  std::vector<SimulatedLoopCorner> chosen;
  const auto add = [&chosen](std::size_t i, std::string_view reason) {
    if (std::ranges::none_of(chosen, [i](const SimulatedLoopCorner& c) { return c.corner == i; })) {
      chosen.push_back({i, reason, {}, {}, 0});
    }
  };
  const std::vector<LoopCorner>& corners = loop.corners;
  std::optional<std::size_t> worst;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const std::optional<double>& margin = corners[i].margins.phase_margin_deg;
    if (margin && (!worst || *margin < *corners[*worst].margins.phase_margin_deg)) worst = i;
  }
  if (worst) add(*worst, "least phase margin");
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const LoopCorner& c = corners[i];
    if (c.load_share != 1 || c.CTR != loop.assumptions.CTR_min) continue;
    add(i, c.line == corners.front().line ? "full load, lowest input" : "full load, highest input");
  }
  return chosen;
}

std::vector<Finding> CheckLoopSimulation(const LoopDesign& loop, const LoopSimulation& simulated) {
  std::vector<Finding> findings;
  for (const SimulatedLoopCorner& s : simulated.corners) {
    const LoopCorner& corner = loop.corners[s.corner];
    if (!s.failure.empty()) {
      findings.push_back({Severity::kWarning,
                          std::string(kLoopSimulationDisagrees),
                          {Quantity::kLoopGain},
                          0,
                          0,
                          "the .ac simulation of the loop at " + std::string(corner.line) +
                              " failed: " + s.failure});
      continue;
    }
    if (s.comparison.agrees) continue;
    const LoopComparison& c = s.comparison;
    const bool gain_out = std::abs(c.gain_difference_dB) > kLoopGainTolerance_dB;
    findings.push_back({Severity::kWarning,
                        std::string(kLoopSimulationDisagrees),
                        {Quantity::kLoopGain},
                        gain_out ? c.gain_difference_dB : c.phase_difference_deg,
                        gain_out ? kLoopGainTolerance_dB : kLoopPhaseTolerance_deg,
                        LoopDisagreementText(corner, c)});
  }
  return findings;
}

}  // namespace flyback

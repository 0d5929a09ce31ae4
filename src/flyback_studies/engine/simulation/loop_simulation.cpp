#include "engine/simulation/loop_simulation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

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

namespace {

// "4.95 kHz (analytic 5.53 kHz)", "none (analytic none)".
std::string Beside(const std::optional<double>& simulated, const std::optional<double>& analytic,
                   std::string (*text)(double)) {
  return (simulated ? text(*simulated) : "none") + " (analytic " +
         (analytic ? text(*analytic) : "none") + ")";
}

std::string DegreesText(double deg) {
  return SignedNumberText(RoundTo(deg, 1)) + "°";
}

}  // namespace

namespace {

// One line per run of `runs`, each of a corner of `corners`.
std::string RunLines(const std::vector<LoopCorner>& corners,
                     const std::vector<SimulatedLoopCorner>& runs) {
  std::string t;
  for (const SimulatedLoopCorner& s : runs) {
    const LoopCorner& corner = corners[s.corner];
    t += CornerText(corner) + " (" + std::string(s.reason) + "): ";
    if (!s.failure.empty()) {
      t += "failed: " + s.failure + "\n";
      continue;
    }
    const LoopComparison& c = s.comparison;
    t +=
        "crossover " +
        Beside(c.simulated_margins.crossover_Hz, corner.margins.crossover_Hz, FrequencyText) +
        ", phase margin " +
        Beside(c.simulated_margins.phase_margin_deg, corner.margins.phase_margin_deg, DegreesText) +
        ", differences " + SignedNumberText(RoundTo(c.gain_difference_dB, 2)) + " dB at " +
        FrequencyText(c.gain_difference_at_Hz) + ", " + DegreesText(c.phase_difference_deg) +
        " at " + FrequencyText(c.phase_difference_at_Hz) + ": " +
        (c.agrees ? "within" : "OUTSIDE") + ", run " + NumberText(RoundTo(s.run_s, 3)) + " s\n";
  }
  return t;
}

}  // namespace

std::string LoopSimulationText(const LoopDesign& loop, const LoopSimulation& simulated) {
  std::string t =
      "Loop in ngspice (.ac of the averaged stage) beside the analytic; tolerance "
      "±1 dB, ±5° up to twice the crossover\n" +
      RunLines(loop.corners, simulated.corners);
  if (!simulated.proposed.empty()) {
    t += "The proposed compensator at the same corners:\n" +
         RunLines(loop.proposed_corners, simulated.proposed);
  }
  return t;
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

#include "engine/simulation/load_point_comparison.h"

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

bool SimulatedLoadPoint::Outside() const {
  return efficiency && settled &&
         std::abs(100 * (*efficiency - map_efficiency)) > kMapEfficiencyMarginPoints;
}

const MapPoint* MapPointAt(const MapRow& row, double load) {
  for (const MapPoint& point : row.loads) {
    if (point.load == load) return &point;
  }
  return nullptr;
}

double MapFootingEfficiency(const OperatingPointFigures& figures, const MapPoint& map) {
  // The map's input power over the stage's: the bridge and the standing
  // losses of the bus and of the outputs, a fixed share at the point.
  const double added = map.P_in_W / map.stage.switching.P_in_W;
  return figures.efficiency / added;
}

std::string LoadPointName(double load, const std::string& voltage) {
  return NumberText(RoundTo(100 * load, 0)) + " % load at the " + voltage;
}

namespace {

std::string Rounded(double x, int digits) {
  return NumberText(RoundTo(x, digits));
}

std::string LoadPointLine(const SimulatedLoadPoint& p) {
  std::string line = p.name + ": map " + Rounded(100 * p.map_efficiency, 1) + " %, ";
  if (!p.efficiency) return line + "not simulated: " + p.not_simulated + "\n";
  const double deviation = 100 * (*p.efficiency - p.map_efficiency);
  return line + "simulated " + Rounded(100 * *p.efficiency, 1) + " % (" +
         SignedNumberText(RoundTo(deviation, 1)) + " points), " +
         (!p.settled    ? "not settled"
          : p.Outside() ? "OUTSIDE"
                        : "within") +
         "; " + Rounded(p.f_map_kHz, 1) + " kHz against " + Rounded(p.f_sw_kHz, 1) + " kHz, run " +
         Rounded(p.run_s, 2) + " s\n";
}

}  // namespace

std::string LoadPointTable(const std::vector<SimulatedLoadPoint>& points) {
  if (points.empty()) return {};
  std::string text = "Efficiency map beside the simulation (within ± " +
                     NumberText(kMapEfficiencyMarginPoints) + " points)\n";
  for (const SimulatedLoadPoint& p : points) text += LoadPointLine(p);
  return text;
}

std::vector<Finding> CheckLoadPoints(const std::vector<SimulatedLoadPoint>& points) {
  std::vector<Finding> findings;
  for (const SimulatedLoadPoint& p : points) {
    if (!p.Outside()) continue;
    const double simulated = 100 * *p.efficiency;
    const double map = 100 * p.map_efficiency;
    findings.push_back(
        {Severity::kWarning,
         std::string(kSimulationMapDisagrees),
         {Quantity::kEfficiency},
         simulated,
         simulated < map ? map - kMapEfficiencyMarginPoints : map + kMapEfficiencyMarginPoints,
         "the simulation at " + p.name + " gives an efficiency of " +
             NumberText(RoundTo(simulated, 1)) + " % against the map's " +
             NumberText(RoundTo(map, 1)) + " %; allowed ± " +
             NumberText(kMapEfficiencyMarginPoints) + " points"});
  }
  return findings;
}

}  // namespace flyback

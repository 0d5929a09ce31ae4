#pragma once

// The efficiency map beside the simulated stage at part load: 25, 50 and
// 100 % of P_out_max at the lowest and the highest input voltage, each run
// at the map's operating point for that load (its bus, its frequency and
// peak current as the controller switches there, every output scaled
// together). The simulated stage's efficiency is put on the map's footing
// (the bridge and the standing losses the map adds to the stage's input
// power) and judged within ± kMapEfficiencyMarginPoints of the map's.
// docs/efficiency.md gives the measured agreement.

#include <optional>
#include <string>
#include <vector>

#include "engine/checks/design_checks.h"
#include "engine/efficiency/efficiency_map.h"
#include "engine/simulation/operating_point_figures.h"

namespace flyback {

// The map's loads that are simulated at each end of the input range.
inline constexpr double kSimulatedLoads[] = {0.25, 0.50, 1.00};

// Percentage points the simulated efficiency may lie from the map's.
inline constexpr double kMapEfficiencyMarginPoints = 2;

struct SimulatedLoadPoint {
  std::string name;           // "25 % load at the lowest input voltage"
  double load = 0;            // share of P_out_max
  double U_bus_V = 0;         // V, the map's bus
  double f_map_kHz = 0;       // kHz, the map's switching frequency
  double map_efficiency = 0;  // share, the map's
  // Share, the simulated efficiency on the map's footing (MapFootingEfficiency);
  // none where the point was not simulated, with the reason in `not_simulated`.
  std::optional<double> efficiency;
  std::string not_simulated;
  double f_sw_kHz = 0;  // kHz, simulated
  bool settled = false;
  double run_s = 0;  // s, wall time of the simulator

  // Judged where simulated and settled.
  bool Outside() const;
};

// The map's point of `load` in `row`; none where the map has no such load.
const MapPoint* MapPointAt(const MapRow& row, double load);

// The simulated efficiency (share) of `figures` on the footing of the map's
// point `map`: P_out/P_in·P_in,stage/P_in,map.
double MapFootingEfficiency(const OperatingPointFigures& figures, const MapPoint& map);

// "25 % load at the lowest input voltage".
std::string LoadPointName(double load, const std::string& voltage);

// The map beside the simulation as plain text, one line a point:
// "25 % load at the lowest input voltage: map 85.6 %, simulated 85.1 %
// (-0.5 points), within; 130 kHz against 128.4 kHz, run 0.71 s", the run
// time last, as in the comparison table.
std::string LoadPointTable(const std::vector<SimulatedLoadPoint>& points);

// The code of the findings of CheckLoadPoints.
inline constexpr std::string_view kSimulationMapDisagrees = "simulation-map-disagrees";

// A warning, naming the point, for every settled point whose simulated
// efficiency lies more than kMapEfficiencyMarginPoints from the map's.
std::vector<Finding> CheckLoadPoints(const std::vector<SimulatedLoadPoint>& points);

}  // namespace flyback

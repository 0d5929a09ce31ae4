#include "engine/simulation/comparison_table.h"

#include <cmath>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string Figure(double x, const std::string& unit) {
  return SignedNumberText(RoundTo(x, 3)) + " " + unit;
}

std::string Deviation(const ComparedFigure& row) {
  if (!std::isfinite(row.deviation)) return "";
  const double percent = RoundTo(100 * row.deviation, 1);
  return (percent > 0 ? "+" : "") + SignedNumberText(percent) + " %";
}

}  // namespace

std::string ComparisonTable(const SimulationComparison& c) {
  std::string text = "Simulation (ngspice) beside the calculation; leakage " +
                     NumberText(RoundTo(100 * c.leakage_share, 2)) + " % of L_prim\n";
  for (const SimulatedPoint& p : c.points) {
    text += p.name + ": bus " + Figure(p.figures.U_bus_V, "V") + ", " +
            std::to_string(p.figures.periods) + " periods measured, run " +
            NumberText(RoundTo(p.run_s, 2)) + " s\n";
  }
  text += Padded("point", 23) + Padded("figure", 14) + Padded("simulated", 14) +
          Padded("calculated", 14) + Padded("deviation", 11) + Padded("tolerance", 26) +
          "verdict\n";
  for (const ComparedFigure& row : c.figures) {
    text += Padded(row.point, 23) + Padded(row.figure, 14) +
            Padded(Figure(row.simulated, row.unit), 14) +
            Padded(Figure(row.calculated, row.unit), 14) + Padded(Deviation(row), 11) +
            Padded(row.tolerance, 26) + (row.within ? "within" : "OUTSIDE") + "\n";
  }
  return text;
}

}  // namespace flyback

#include "engine/simulation/comparison_table.h"

#include <algorithm>
#include <cmath>

#include "base/console/figure_in_width.h"
#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

// Columns of the text table, in characters, the blank after a cell included.
constexpr std::array<std::size_t, 7> kWidths = {23, 14, 14, 14, 16, 34, 0};
constexpr std::size_t kFigureWidth = 13;     // a simulated or calculated figure with its unit
constexpr std::size_t kDeviationDigits = 8;  // the deviation's number, its sign included

// `text` filled with blanks to `width` characters; a character of UTF-8
// ("±") counts once, not by its bytes.
std::string Padded(std::string text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

// `x` with its unit in `width` characters; "n/a" where it is not finite.
std::string Figure(double x, const std::string& unit, std::size_t width = kFigureWidth) {
  if (!std::isfinite(x)) return "n/a";
  const std::size_t digits = width > unit.size() + 1 ? width - unit.size() - 1 : 1;
  return FigureInWidth(x, SignedNumberText(RoundTo(x, 3)), digits) + " " + unit;
}

// The deviation in its unit ("%" or "points"); none where the row has no
// calculated figure or the deviation is not finite.
std::string Deviation(const ComparedFigure& row) {
  if (!row.deviation || !std::isfinite(*row.deviation)) return "";
  const double rounded = RoundTo(*row.deviation, 1);
  const std::string sign = rounded > 0 ? "+" : "";
  return sign + Figure(rounded, row.deviation_unit,
                       kDeviationDigits + 1 + row.deviation_unit.size() - sign.size());
}

std::string Line(const std::array<std::string, 7>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) line += Padded(cells[i], kWidths[i]);
  return line + "\n";
}

}  // namespace

std::array<std::string, 7> ComparisonCells(const ComparedFigure& row) {
  return {row.point,
          row.figure,
          Figure(row.simulated, row.unit),
          row.calculated ? Figure(*row.calculated, row.unit) : "",
          Deviation(row),
          row.tolerance.text,
          !row.judged  ? "not settled"
          : row.within ? "within"
                       : "OUTSIDE"};
}

std::string ComparisonTable(const SimulationComparison& c) {
  std::string text = "Simulation (ngspice) beside the calculation; leakage " +
                     NumberText(RoundTo(100 * c.leakage_share, 2)) + " % of L_prim\n";
  for (const SimulatedPoint& p : c.points) {
    text += p.name + ": bus " + Figure(p.figures.U_bus_V, "V") + ", " +
            std::to_string(p.figures.periods) + " periods measured of " +
            std::to_string(p.figures.periods_simulated) + " simulated, " +
            (p.figures.settled ? "settled" : "NOT SETTLED") +
            (p.start == StartState::kCold ? " from a cold start" : "") + ", run " +
            NumberText(RoundTo(p.run_s, 2)) + " s\n";
  }
  std::array<std::string, 7> head;
  for (std::size_t i = 0; i < head.size(); ++i) head[i] = kComparisonColumns[i];
  text += Line(head);
  for (const ComparedFigure& row : c.figures) text += Line(ComparisonCells(row));
  return text;
}

namespace {

std::string Volts(double x) {
  return SignedNumberText(RoundTo(x, 3)) + " V";
}

}  // namespace

std::string LoadStepLines(const SimulationComparison& c) {
  if (!c.load_step_failure.empty())
    return "load step: not simulated: " + c.load_step_failure + "\n";
  if (!c.load_step) return "";
  std::string text;
  for (const LoadStepEdge& e : c.load_step->edges) {
    text +=
        "load step " + e.name + ": output 1 from " + Volts(e.U_before_V) + " to " +
        Volts(e.U_after_V) + ", extreme " + Volts(e.U_extreme_V) + " (" +
        (e.deviation_V > 0 ? "+" : "") + Volts(e.deviation_V) + "), " +
        (e.settling_s ? "settled within " + NumberText(100 * kLoadStepBand) + " % after " +
                            NumberText(RoundTo(*e.settling_s * 1e3, 3)) + " ms"
                      : "NOT SETTLED within " +
                            NumberText(RoundTo(
                                (c.load_step->times.up_s - c.load_step->times.down_s) * 1e3, 3)) +
                            " ms") +
        "\n";
  }
  return text;
}

std::string ComparisonVerdict(const SimulationComparison& comparison) {
  std::string unsettled;
  for (const SimulatedPoint& p : comparison.points) {
    if (!p.figures.settled) unsettled += (unsettled.empty() ? "" : " and at the ") + p.name;
  }
  const auto outside = std::count_if(comparison.figures.begin(), comparison.figures.end(),
                                     [](const ComparedFigure& row) { return row.Outside(); });
  std::string verdict;
  if (outside > 0) {
    verdict = std::to_string(outside) + " figures outside their tolerance";
  } else if (unsettled.empty()) {
    verdict = "every figure within its tolerance";
  }
  if (unsettled.empty()) return verdict;
  return verdict + (verdict.empty() ? "" : "; ") + "not settled at the " + unsettled +
         ": not compared there";
}

}  // namespace flyback

#pragma once

// The tolerance of a simulated figure: its allowed range and the text that
// states that range, made together by one of the functions below, so that
// the bounds a verdict is judged by and the words a table prints cannot part.

#include <optional>
#include <string>

namespace flyback {

struct FigureTolerance {
  std::optional<double> least;  // in the figure's unit; none on a side without a bound
  std::optional<double> most;
  std::string text;  // in the deviation's unit: "±5 %", "at most +0.3 % (U_D_lim)"

  // `simulated` lies within both bounds.
  bool Admits(double simulated) const;
};

// Bounds of a figure in its own unit; either side may be open.
struct FigureBounds {
  std::optional<double> least;
  std::optional<double> most;
};

// `bounds` stated as % of `calculated`: "±5 %", "-3 % to +8 %",
// "at most +0.3 %". `bound` names bounds that are not shares of the
// calculated figure itself ("window", "U_D_lim") and follows in brackets.
FigureTolerance RelativeTolerance(double calculated, FigureBounds bounds,
                                  const std::string& bound = "");

// ± `share` of `calculated`: "±5 %".
FigureTolerance ShareTolerance(double calculated, double share);

// ± `margin_points` percentage points of `calculated_percent`: "±2 points".
FigureTolerance PointsTolerance(double calculated_percent, double margin_points);

}  // namespace flyback

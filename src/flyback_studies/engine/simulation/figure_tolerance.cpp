#include "engine/simulation/figure_tolerance.h"

#include <cmath>
#include <utility>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"

namespace flyback {

namespace {

// `percent` with its sign, one decimal: "+5 %", "-10 %", "0 %".
std::string SignedPercent(double percent) {
  const double rounded = RoundTo(percent, 1);
  return (rounded > 0 ? "+" : "") + SignedNumberText(rounded) + " %";
}

// The bounds of a relative tolerance as shares of the calculated figure.
std::string SharesText(std::optional<double> least_share, std::optional<double> most_share) {
  if (least_share && most_share) {
    if (std::abs(*least_share + *most_share) < 1e-12) {
      return "±" + NumberText(RoundTo(100 * *most_share, 1)) + " %";
    }
    return SignedPercent(100 * *least_share) + " to " + SignedPercent(100 * *most_share);
  }
  if (most_share) return "at most " + SignedPercent(100 * *most_share);
  if (least_share) return "at least " + SignedPercent(100 * *least_share);
  return "none";
}

}  // namespace

bool FigureTolerance::Admits(double simulated) const {
  return (!least || simulated >= *least) && (!most || simulated <= *most);
}

FigureTolerance RelativeTolerance(double calculated, FigureBounds bounds,
                                  const std::string& bound) {
  const auto share = [calculated](std::optional<double> x) -> std::optional<double> {
    if (!x) return std::nullopt;
    return *x / calculated - 1;
  };
  std::string text = SharesText(share(bounds.least), share(bounds.most));
  if (!bound.empty() && (bounds.least || bounds.most)) text += " (" + bound + ")";
  return {bounds.least, bounds.most, std::move(text)};
}

FigureTolerance ShareTolerance(double calculated, double share) {
  return RelativeTolerance(calculated, {calculated * (1 - share), calculated * (1 + share)});
}

FigureTolerance PointsTolerance(double calculated_percent, double margin_points) {
  return {calculated_percent - margin_points, calculated_percent + margin_points,
          "±" + NumberText(margin_points) + " points"};
}

}  // namespace flyback

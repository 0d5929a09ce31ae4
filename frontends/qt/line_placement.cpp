#include "line_placement.h"

#include <algorithm>
#include <cmath>

namespace flyback {

double ZoneWidth(const QFontMetricsF& metrics) {
  // A font without width information still gets zones that move the pen.
  return kZoneWidth * std::max(1.0, metrics.averageCharWidth());
}

PlacedLine PlaceLine(const Line& line, const QFontMetricsF& metrics) {
  // Qt measures in 1/64 pixel, so widths, their sums and the zone starts are
  // exact in a double, and a pen that stands on a zone start divides exactly.
  const double zone_width = ZoneWidth(metrics);
  PlacedLine placed;
  double pen = 0;  // pixels
  for (const Item& item : line) {
    if (item.kind() == Item::Kind::kZone) {
      pen = (std::floor(pen / zone_width) + 1) * zone_width;
      continue;
    }
    const QString text = QString::fromStdString(ItemText(item));
    if (text.isEmpty()) continue;
    placed.push_back({pen, text});
    pen += metrics.horizontalAdvance(text);
  }
  return placed;
}

}  // namespace flyback

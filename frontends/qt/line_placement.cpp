#include "line_placement.h"

#include <algorithm>

namespace flyback {

int ZoneWidth(const QFontMetrics& metrics) {
  // A font without width information still gets zones that move the pen.
  return kZoneWidth * std::max(1, metrics.averageCharWidth());
}

PlacedLine PlaceLine(const Line& line, const QFontMetrics& metrics) {
  const int zone_width = ZoneWidth(metrics);
  PlacedLine placed;
  int pen = 0;  // pixels
  for (const Item& item : line) {
    if (item.kind() == Item::Kind::kZone) {
      pen = (pen / zone_width + 1) * zone_width;
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

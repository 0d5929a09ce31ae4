#pragma once

// The line rule on the screen. The window writes in a proportional font, so
// the pen is measured in pixels: a text or number item moves it by the item's
// advance width, and a zone advance moves it to the first print-zone start
// strictly right of it. A print zone is 14 average character widths of the
// font wide, the screen's counterpart of 14 columns in a report file.
//
// The average width is taken unrounded (QFontMetricsF): rounded to whole
// pixels it can put the fourth zone start up to 42 x 0.5 = 21 px off (2.6 px
// for the window's font), enough to move a main-menu choice number into the
// next zone.

#include <QFontMetricsF>
#include <QString>
#include <vector>

#include "base/console/line.h"

namespace flyback {

// One piece of a drawn line: its text and the pen position (pixels from the
// left edge of the text area) at which it starts.
struct PlacedText {
  double x = 0;  // pixels
  QString text;
};
using PlacedLine = std::vector<PlacedText>;

// Width of one print zone in pixels.
double ZoneWidth(const QFontMetricsF& metrics);

// The pieces of `line` with their pen positions; items that write nothing
// (zone advances, empty texts) leave no piece.
PlacedLine PlaceLine(const Line& line, const QFontMetricsF& metrics);

}  // namespace flyback

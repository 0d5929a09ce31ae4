#pragma once

// The line rule on the screen. The window writes in a proportional font, so
// the pen is measured in pixels: a text or number item moves it by the item's
// advance width, and a zone advance moves it to the first print-zone start
// strictly right of it. A print zone is 14 average character widths of the
// font wide, the screen's counterpart of 14 columns in a report file.

#include <QFontMetrics>
#include <QString>
#include <vector>

#include "console/line.h"

namespace flyback {

// One piece of a drawn line: its text and the pen position (pixels from the
// left edge of the text area) at which it starts.
struct PlacedText {
  int x = 0;  // pixels
  QString text;
};
using PlacedLine = std::vector<PlacedText>;

// Width of one print zone in pixels.
int ZoneWidth(const QFontMetrics& metrics);

// The pieces of `line` with their pen positions; items that write nothing
// (zone advances, empty texts) leave no piece.
PlacedLine PlaceLine(const Line& line, const QFontMetrics& metrics);

}  // namespace flyback

#pragma once

// What of a page the window hides: lines below the bottom edge, characters
// beyond the right edge, and characters under the text box and the Start
// button that lie on top of the text area. A character counts by its ink
// (its glyph's bounding box where the text area draws it); blanks hide
// nothing.

#include <QRect>
#include <vector>

#include "text_area.h"

namespace flyback {

struct PageLoss {
  int lines_below_bottom = 0;            // lines with ink, not wholly above the bottom edge
  int characters_beyond_right_edge = 0;  // on the lines above the bottom edge
  int characters_under_controls = 0;     // on the lines above the bottom edge

  PageLoss& operator+=(const PageLoss& other);
};

// Measures `lines` as `area` draws them; `controls` are the rectangles of
// the widgets on top of the area, in its coordinates.
PageLoss MeasurePage(const TextArea& area, const std::vector<PlacedLine>& lines,
                     const std::vector<QRect>& controls);

}  // namespace flyback

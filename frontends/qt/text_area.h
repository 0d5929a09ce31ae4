#pragma once

// The text area of the main window: the lines written since it was last
// cleared, drawn from the top in the window's own font (window_font.h).
// Lines are never wrapped; what lies beyond the right edge is not visible.
// A page taller than the area (a long optimization list) is drawn scrolled
// up so that its last line, the one a question refers to, stays visible;
// so is a page whose last lines lie under the open question dialog.

#include <QWidget>
#include <cstddef>
#include <vector>

#include "base/console/line.h"
#include "line_placement.h"

namespace flyback {

class TextArea : public QWidget {
 public:
  explicit TextArea(QWidget* parent = nullptr);

  // Empties the area; the pen goes to the first line.
  void Clear();
  // Writes `line` at the pen; the pen goes to the next line.
  void WriteLine(const Line& line);

  // The lines written since the last Clear, as drawn.
  const std::vector<PlacedLine>& lines() const { return lines_; }
  // Pixels from the top of the page to the baseline of line `index` (0 is
  // the first line).
  int Baseline(std::size_t index) const;
  // Pixels the page is drawn scrolled up by: 0 while it fits the area and
  // no line's ink lies under the part kept clear.
  int ScrolledBy() const;
  // While the question dialog lies over `covered` (in the area's pixels;
  // empty: nothing), the page's lines are drawn above it, so that the last
  // ones, which the question is about, stay in sight.
  void KeepClearOf(const QRect& covered);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<PlacedLine> lines_;
  QRect covered_;
};

}  // namespace flyback

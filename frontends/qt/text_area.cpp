#include "text_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "window_font.h"

namespace flyback {

TextArea::TextArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFont(WindowFont());
}

void TextArea::Clear() {
  lines_.clear();
  update();
}

void TextArea::WriteLine(const Line& line) {
  lines_.push_back(PlaceLine(line, QFontMetricsF(font(), this)));
  update();
}

int TextArea::Baseline(std::size_t index) const {
  // Whole pixels, so that every line sits on the pixel grid alike.
  const QFontMetrics metrics = fontMetrics();
  return metrics.ascent() + static_cast<int>(index) * metrics.lineSpacing();
}

int TextArea::ScrolledBy() const {
  if (lines_.empty()) return 0;
  const int bottom = Baseline(lines_.size() - 1) + fontMetrics().descent();
  return std::max(0, bottom - height());
}

void TextArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  painter.setPen(palette().windowText().color());
  const int ascent = fontMetrics().ascent();
  const int scrolled = ScrolledBy();
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const int baseline = Baseline(index) - scrolled;
    if (baseline - ascent > height()) break;
    for (const PlacedText& piece : lines_[index]) {
      painter.drawText(QPointF(piece.x, baseline), piece.text);
    }
  }
}

}  // namespace flyback

#include "text_area.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "window_font.h"
#include "window_geometry.h"

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
  const QFontMetricsF metrics(font(), this);
  const int ascent = fontMetrics().ascent();
  const int line_height = ascent + fontMetrics().descent();
  std::vector<QRect> inks;
  inks.reserve(lines_.size());
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const PlacedLine& line = lines_[index];
    const double left = line.empty() ? 0 : line.front().x;
    const double right =
        line.empty() ? 0 : line.back().x + metrics.horizontalAdvance(line.back().text);
    inks.emplace_back(static_cast<int>(left), Baseline(index) - ascent,
                      static_cast<int>(std::ceil(right - left)), line_height);
  }
  return PageScroll(inks, height(), covered_);
}

void TextArea::KeepClearOf(const QRect& covered) {
  covered_ = covered;
  update();
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

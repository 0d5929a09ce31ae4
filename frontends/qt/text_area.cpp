#include "text_area.h"

#include <QPaintEvent>
#include <QPainter>

namespace flyback {

TextArea::TextArea(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextArea::Clear() {
  lines_.clear();
  update();
}

void TextArea::WriteLine(const Line& line) {
  lines_.push_back(PlaceLine(line, fontMetrics()));
  update();
}

void TextArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  painter.setPen(palette().windowText().color());
  const QFontMetrics metrics = fontMetrics();
  int baseline = metrics.ascent();  // pixels from the top
  for (const PlacedLine& line : lines_) {
    if (baseline - metrics.ascent() > height()) break;
    for (const PlacedText& piece : line) painter.drawText(piece.x, baseline, piece.text);
    baseline += metrics.lineSpacing();
  }
}

}  // namespace flyback

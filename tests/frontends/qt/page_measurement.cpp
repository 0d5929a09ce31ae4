#include "page_measurement.h"

#include <QFontMetricsF>
#include <QRectF>
#include <algorithm>

namespace flyback {

namespace {

// Ink of the characters of one piece, where the area draws them. Only a
// piece whose ink reaches past `visible` or into a control is taken apart;
// any other stands for its whole ink (one box, which hides nothing).
std::vector<QRectF> CharacterInk(const PlacedText& piece, int baseline,
                                 const QFontMetricsF& metrics, const QRectF& visible,
                                 const std::vector<QRect>& controls) {
  const QRectF whole = metrics.boundingRect(piece.text).translated(piece.x, baseline);
  const auto covers = [&whole](const QRect& control) { return QRectF(control).intersects(whole); };
  if (visible.contains(whole) && std::none_of(controls.begin(), controls.end(), covers)) {
    return {whole};
  }
  std::vector<QRectF> ink;
  for (qsizetype i = 0; i < piece.text.size(); ++i) {
    const QChar character = piece.text.at(i);
    if (character.isSpace()) continue;
    const double x = piece.x + metrics.horizontalAdvance(piece.text.left(i));
    ink.push_back(metrics.boundingRect(character).translated(x, baseline));
  }
  return ink;
}

}  // namespace

PageLoss& PageLoss::operator+=(const PageLoss& other) {
  lines_below_bottom += other.lines_below_bottom;
  characters_beyond_right_edge += other.characters_beyond_right_edge;
  characters_under_controls += other.characters_under_controls;
  return *this;
}

PageLoss MeasurePage(const TextArea& area, const std::vector<PlacedLine>& lines,
                     const std::vector<QRect>& controls) {
  const QFontMetricsF metrics(area.font(), &area);
  const QRectF visible(area.rect());
  PageLoss loss;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const int baseline = area.Baseline(index);
    std::vector<QRectF> ink;
    for (const PlacedText& piece : lines[index]) {
      const std::vector<QRectF> piece_ink =
          CharacterInk(piece, baseline, metrics, visible, controls);
      ink.insert(ink.end(), piece_ink.begin(), piece_ink.end());
    }
    if (ink.empty()) continue;
    const auto below = [&area](const QRectF& rect) { return rect.bottom() > area.height(); };
    if (std::any_of(ink.begin(), ink.end(), below)) {
      ++loss.lines_below_bottom;
      continue;
    }
    for (const QRectF& rect : ink) {
      if (rect.right() > area.width()) ++loss.characters_beyond_right_edge;
      const auto covers = [&rect](const QRect& control) {
        return QRectF(control).intersects(rect);
      };
      if (std::any_of(controls.begin(), controls.end(), covers)) {
        ++loss.characters_under_controls;
      }
    }
  }
  return loss;
}

}  // namespace flyback

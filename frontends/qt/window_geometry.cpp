#include "window_geometry.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace flyback {

namespace {
constexpr double kDesignDpi = 96;  // the dpi at which the layout figures are pixels
}  // namespace

QPoint FormCorner(const QRect& room) {
  return room.topLeft();
}

QRect DialogFrame(const QRect& screen, const QMargins& frame, double scale) {
  const QPoint corner = screen.topLeft() + Scaled(kDialogOffset, scale);
  // Its height depends on the question; the overview only needs its top.
  const QRect client(corner, QSize(Scaled(kDialogUsualWidth, scale), 1));
  return client.marginsAdded(frame);
}

WindowPlace OverviewPlace(const QRect& room, const QRect& form, const QRect& dialog, QSize wanted,
                          QSize minimum, const QMargins& frame, int gap) {
  const int frame_width = frame.left() + frame.right();
  const int frame_height = frame.top() + frame.bottom();
  const int room_end = room.left() + room.width();  // the first pixel right of the room
  const int beside = std::max(form.left() + form.width(), dialog.left() + dialog.width()) + gap;
  const int width_beside = room_end - beside - frame_width;
  const int width = std::min(
      {wanted.width(), std::max(width_beside, minimum.width()), room.width() - frame_width});
  int height = std::min(wanted.height(), room.height() - frame_height);
  const int left = std::max(room.left(), std::min(beside, room_end - frame_width - width));
  const bool over_dialog =
      left < dialog.left() + dialog.width() && left + frame_width + width > dialog.left();
  const int height_above_dialog = dialog.top() - gap - room.top() - frame_height;
  if (over_dialog && height_above_dialog >= minimum.height()) {
    height = std::min(height, height_above_dialog);
  }
  return {{left, room.top()}, {width, height}};
}

int PageScroll(const std::vector<QRect>& lines, int height, const QRect& covered) {
  if (lines.empty()) return 0;
  const auto below = [](const QRect& line) { return line.top() + line.height(); };
  int scroll = std::max(0, below(lines.back()) - height);
  if (covered.isEmpty()) return scroll;
  for (const QRect& line : lines) {
    const bool under = line.left() < covered.left() + covered.width() &&
                       line.left() + line.width() > covered.left();
    if (under) scroll = std::max(scroll, below(line) - covered.top());
  }
  return scroll;
}

QMargins BorderAround(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

double ScreenScale(const QScreen* screen) {
  if (screen == nullptr) return 1;
  return screen->logicalDotsPerInch() / kDesignDpi;
}

int Scaled(int pixels, double scale) {
  return static_cast<int>(std::lround(pixels * scale));
}

QPoint Scaled(QPoint point, double scale) {
  return {Scaled(point.x(), scale), Scaled(point.y(), scale)};
}

QSize Scaled(QSize size, double scale) {
  return {Scaled(size.width(), scale), Scaled(size.height(), scale)};
}

QRect Scaled(QRect rect, double scale) {
  return {Scaled(rect.topLeft(), scale), Scaled(rect.size(), scale)};
}

}  // namespace flyback

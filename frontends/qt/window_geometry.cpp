#include "window_geometry.h"

#include <QScreen>
#include <algorithm>
#include <cmath>

namespace flyback {

namespace {
constexpr double kDesignDpi = 96;  // the dpi at which the layout figures are pixels
}  // namespace

QPoint FormCorner(const QRect& room) {
  return room.topLeft();
}

WindowPlace OverviewPlace(const QRect& room, const QRect& form, QSize wanted, int minimum_width,
                          const QMargins& frame, int gap) {
  const int frame_width = frame.left() + frame.right();
  const int frame_height = frame.top() + frame.bottom();
  const int room_end = room.left() + room.width();  // the first pixel right of the room
  const int beside = form.left() + form.width() + gap;
  const int width_beside = room_end - beside - frame_width;
  const int width =
      std::min({wanted.width(), std::max(width_beside, minimum_width), room.width() - frame_width});
  const int height = std::min(wanted.height(), room.height() - frame_height);
  const int left = std::max(room.left(), std::min(beside, room_end - frame_width - width));
  return {{left, room.top()}, {width, height}};
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

#include "window_geometry.h"

#include <QScreen>
#include <cmath>

namespace flyback {

namespace {
constexpr double kDesignDpi = 96;  // the dpi at which the layout figures are pixels
}  // namespace

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

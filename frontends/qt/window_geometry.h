#pragma once

// The layout of the window and the question dialog. The form was drawn in
// twips (1/1440 inch, 15 twips per pixel at 96 dots per inch); the figures
// here are those pixels at 96 dpi and are scaled by the screen's logical dpi.

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;

namespace flyback {

inline constexpr QSize kClientSize{707, 456};              // 10605 x 6840 twips
inline constexpr QRect kStatusBoxRect{624, 0, 81, 25};     // left 9360, top 0, 1215 x 375 twips
inline constexpr QRect kStartButtonRect{624, 24, 81, 25};  // left 9360, top 360
inline constexpr QPoint kDialogOffset{333, 467};  // 5000, 7000 twips from the screen's corner
inline constexpr int kDialogMinimumWidth = 360;   // the narrowest question dialog
// Room a window manager takes beside the title for its icon and buttons.
inline constexpr int kDialogTitleBarControlsWidth = 100;

// Pixels per 96-dpi pixel on `screen` (1 when there is none).
double ScreenScale(const QScreen* screen);

int Scaled(int pixels, double scale);
QPoint Scaled(QPoint point, double scale);
QSize Scaled(QSize size, double scale);
QRect Scaled(QRect rect, double scale);

}  // namespace flyback

#pragma once

// The layout of the window and the question dialog. The form was drawn in
// twips (1/1440 inch, 15 twips per pixel at 96 dots per inch); the figures
// here are those pixels at 96 dpi and are scaled by the screen's logical dpi.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

class QScreen;
class QWidget;

namespace flyback {

inline constexpr QSize kClientSize{707, 456};              // 10605 x 6840 twips
inline constexpr QRect kStatusBoxRect{624, 0, 81, 25};     // left 9360, top 0, 1215 x 375 twips
inline constexpr QRect kStartButtonRect{624, 24, 81, 25};  // left 9360, top 360
inline constexpr QPoint kDialogOffset{333, 467};  // 5000, 7000 twips from the screen's corner
inline constexpr int kDialogMinimumWidth = 360;   // the narrowest question dialog
// The widest question dialog asked while a design is shown: the
// continuation menu's, whose default answer needs 468 px in the desktop's
// usual DejaVu Sans 9 pt. Only the comma hint, asked before the first
// design, is wider (597 px).
inline constexpr int kDialogUsualWidth = 468;
// Room a window manager takes beside the title for its icon and buttons.
inline constexpr int kDialogTitleBarControlsWidth = 100;

// Where the windows open in `room`, the part of the screen that the panels
// leave free (QScreen::availableGeometry), in pixels. A corner is that of the
// frame the window manager draws around a window (`frame`: its border); a
// size is that of the window inside the frame.
struct WindowPlace {
  QPoint corner;
  QSize size;
};

// Form1 stands at the room's top-left corner: the question dialog, at its
// fixed place on the screen, then lies below Form1's text area and not over
// the page its question belongs to.
QPoint FormCorner(const QRect& room);

// The frame of the widest question dialog asked while a design is shown
// (kDialogUsualWidth) on `screen` (its whole geometry), with the border
// `frame` that the window manager draws; only its top, its left and its
// width count.
QRect DialogFrame(const QRect& screen, const QMargins& frame, double scale);

// The overview stands at the top of the room, `gap` right of Form1's frame
// `form` and `gap` right of the question dialog's frame `dialog` (which
// lies below Form1 and reaches further right), as wide as `wanted` or as the
// room right of them allows, whichever is less. Where not even `minimum`'s
// width fits there, it is that wide and stands at the room's right edge:
// over the dialog's right end where Form1 leaves room for it, else also
// over Form1's right part. Where it then reaches over the dialog, it ends
// `gap` above the dialog (as long as `minimum`'s height fits there), so that
// the question and its buttons stay in sight. It is never wider or taller
// than the room.
WindowPlace OverviewPlace(const QRect& room, const QRect& form, const QRect& dialog, QSize wanted,
                          QSize minimum, const QMargins& frame, int gap);

// Pixels a page of Form1's text area is drawn scrolled up by: as few as
// show its last line within the area's `height` and leave no line's ink
// under `covered`, the part of the area another window lies over (the open
// question dialog; empty when there is none). `lines` are the ink boxes of
// the page's lines, unscrolled, in the area's pixels; the last one's bottom
// is the page's, however short its ink. 0 while the page fits.
int PageScroll(const std::vector<QRect>& lines, int height, const QRect& covered);

// The border the window manager draws around `window`: none before it is
// on the screen, and none without a window manager.
QMargins BorderAround(const QWidget& window);

// Pixels per 96-dpi pixel on `screen` (1 when there is none).
double ScreenScale(const QScreen* screen);

int Scaled(int pixels, double scale);
QPoint Scaled(QPoint point, double scale);
QSize Scaled(QSize size, double scale);
QRect Scaled(QRect rect, double scale);

}  // namespace flyback

#pragma once

// The window's own font: DejaVu Sans at 10 pixels (96 dpi), carried in the
// program as a resource, so that the pages look the same on every desktop.
//
// Chosen by measuring every page of the golden cases in the window (see
// tests/frontends/qt/window_pages_test.cpp and docs/window.md): at 10 px a
// line is 11 px high, so 41 lines fit in the 456 px of the form, enough for
// the longest page of a four-output design (the manual change after "p", 40
// lines); the x-height is 5 px; and with whole-pixel glyph widths, zones of
// 14 of the font's own average character widths (5.0625 px) put every
// main-menu choice number at the fourth zone. None of the other free fonts
// measured keeps that menu rule at a size whose 40 lines fit.

#include <QFont>

namespace flyback {

inline constexpr int kWindowFontPixelSize = 10;  // pixels at 96 dpi
// The font file, which CMakeLists.txt embeds from the installed font package.
inline constexpr const char* kWindowFontResource = ":/fonts/window-font.ttf";

// The font of the text area. Its size scales with the screen's logical dpi,
// like the rest of the form.
QFont WindowFont();

}  // namespace flyback

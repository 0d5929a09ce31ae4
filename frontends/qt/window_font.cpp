#include "window_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace flyback {

namespace {

// Registers the carried font with the application (once) and gives its
// family; without it (an unreadable resource) the desktop's font stands in.
QString CarriedFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kWindowFontResource));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
  }();
  return family;
}

}  // namespace

QFont WindowFont() {
  QFont font(CarriedFamily());
  // Points are 1/72 inch, the form's pixels 1/96 inch; Qt turns the points
  // into pixels at the logical dpi of the screen the text is drawn on.
  font.setPointSizeF(kWindowFontPixelSize * 72.0 / 96.0);
  // Whole-pixel glyph widths, whatever the desktop's hinting setting: the
  // layout measured in the tests is the layout drawn. With unrounded widths
  // the two longest main-menu texts would end just past their zone.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace flyback

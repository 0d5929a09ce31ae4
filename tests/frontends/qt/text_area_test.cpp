// The text area: the line rule with the pen measured in pixels of the
// window's proportional font, print zones of 14 average character widths,
// drawing from the top, and clearing.

#include "text_area.h"

#include <QImage>
#include <QTest>

#include "gui_test_registry.h"

namespace flyback {
namespace {

// True if any pixel of rows [top, bottom) differs from the background.
bool HasInk(const QImage& image, int top, int bottom) {
  const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
  for (int y = top; y < bottom && y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != background) return true;
    }
  }
  return false;
}

}  // namespace

class TextAreaTest : public QObject {
  Q_OBJECT

 private:
  TextArea area_;

  const PlacedLine& Write(const Line& line) {
    area_.WriteLine(line);
    return area_.lines().back();
  }
  int Zone() const { return 14 * area_.fontMetrics().averageCharWidth(); }
  int Advance(const char* text) const { return area_.fontMetrics().horizontalAdvance(text); }

 private slots:
  void init() {
    area_.resize(707, 456);
    area_.Clear();
  }

  void theFontIsProportional() {
    // The rule of this window only matters where widths differ.
    QVERIFY(Advance("i") != Advance("W"));
  }

  void aLeadingZoneAdvanceWritesAtTheSecondZone() {
    const PlacedLine& line = Write({zone, "Absolute maximum:"});
    QCOMPARE(line.size(), std::size_t{1});
    QCOMPARE(line[0].x, Zone());
    QCOMPARE(line[0].text, QStringLiteral("Absolute maximum:"));
  }

  void aPenOnAZoneStartMovesAWholeZone() {
    // Two zone advances from the left edge, and an empty text at a zone start.
    QCOMPARE(Write({zone, zone, "x"})[0].x, 2 * Zone());
    QCOMPARE(Write({"", zone, "x"})[0].x, Zone());
  }

  void aZoneAdvanceLandsOnTheNextMultipleOfTheZoneWidth() {
    // A main-menu line: the text ends inside some zone k; two advances reach
    // zone k + 2, wherever the font makes the text end.
    const PlacedLine& line = Write({"Print the result", zone, zone, "(2)"});
    QCOMPARE(line.size(), std::size_t{2});
    const int text_end = Advance("Print the result");
    QCOMPARE(line[1].x, (text_end / Zone() + 2) * Zone());
    QCOMPARE(line[1].x % Zone(), 0);
    QVERIFY(line[1].x > text_end);
  }

  void adjacentItemsFollowEachOtherByTheirAdvance() {
    // 'x' ; -3 ; 'y': the number keeps its sign and trailing blank.
    const PlacedLine& line = Write({"x", -3, "y"});
    QCOMPARE(line.size(), std::size_t{3});
    QCOMPARE(line[0].x, 0);
    QCOMPARE(line[1].text, QStringLiteral("-3 "));
    QCOMPARE(line[1].x, Advance("x"));
    QCOMPARE(line[2].x, Advance("x") + Advance("-3 "));
  }

  void numbersAreWrittenAsTheirNumberText() {
    const PlacedLine& line =
        Write({" The calculated maximum input power of your power supply amounts", 89.4, "W."});
    QCOMPARE(line[1].text, QStringLiteral(" 89.4 "));
    QCOMPARE(line[2].text, QStringLiteral("W."));
    QCOMPARE(Write({"x", 0, "y"})[1].text, QStringLiteral(" 0 "));
  }

  void linesAreDrawnFromTheTopAndClearingEmptiesTheArea() {
    const int line_height = area_.fontMetrics().lineSpacing();
    area_.WriteLine({});
    area_.WriteLine({"Type of transformer"});
    QCOMPARE(area_.lines().size(), std::size_t{2});
    QImage image = area_.grab().toImage();
    QVERIFY(!HasInk(image, 0, line_height));  // the empty first line
    QVERIFY(HasInk(image, line_height, 2 * line_height));
    QVERIFY(!HasInk(image, 2 * line_height, image.height()));

    area_.Clear();
    QVERIFY(area_.lines().empty());
    QVERIFY(!HasInk(area_.grab().toImage(), 0, area_.height()));

    // The pen is back on the first line.
    area_.WriteLine({"Type of transformer"});
    QVERIFY(HasInk(area_.grab().toImage(), 0, line_height));
  }
};

namespace {
const RegisterGuiTest<TextAreaTest> registration("text_area_test");
}  // namespace

}  // namespace flyback

#include "text_area_test.moc"

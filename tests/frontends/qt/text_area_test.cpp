// The text area: the line rule with the pen measured in pixels of the
// window's proportional font, print zones of 14 average character widths,
// drawing from the top, and clearing.

#include "text_area.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QTest>
#include <cmath>

#include "gui_test_registry.h"
#include "window_font.h"

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
  QFontMetricsF Metrics() const { return QFontMetricsF(area_.font(), &area_); }
  // The exact average width, not QFontMetrics' whole pixels.
  double Zone() const { return 14 * Metrics().averageCharWidth(); }
  double Advance(const char* text) const { return Metrics().horizontalAdvance(text); }

 private slots:
  void init() {
    area_.resize(707, 456);
    area_.Clear();
  }

  void drawsInTheCarriedFontLegiblyAt96Dpi() {
    // The program carries the font: it is there whatever the desktop has.
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kWindowFontResource));
    QVERIFY(QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("DejaVu Sans")));
    const QFontInfo font(area_.font());
    QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
    // The test screen has 96 dpi: 10 px, a line pitch of 11 px (41 lines in
    // the 456 px of the form) and an x-height of at least 5 px.
    QCOMPARE(font.pixelSize(), 10);
    QCOMPARE(area_.fontMetrics().lineSpacing(), 11);
    QVERIFY(area_.fontMetrics().xHeight() >= 5);
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
    const double text_end = Advance("Print the result");
    QCOMPARE(line[1].x, (std::floor(text_end / Zone()) + 2) * Zone());
    QCOMPARE(std::fmod(line[1].x, Zone()), 0.0);
    QVERIFY(line[1].x > text_end);
  }

  void adjacentItemsFollowEachOtherByTheirAdvance() {
    // 'x' ; -3 ; 'y': the number keeps its sign and trailing blank.
    const PlacedLine& line = Write({"x", -3, "y"});
    QCOMPARE(line.size(), std::size_t{3});
    QCOMPARE(line[0].x, 0.0);
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
    QCOMPARE(area_.Baseline(0), area_.fontMetrics().ascent());
    QCOMPARE(area_.Baseline(1), area_.Baseline(0) + line_height);
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

  void aPageTallerThanTheAreaKeepsItsLastLineInSight() {
    const int line_height = area_.fontMetrics().lineSpacing();
    const int fitting = area_.height() / line_height;
    area_.WriteLine({"the first line"});
    for (int i = 1; i < fitting; ++i) area_.WriteLine({});
    QCOMPARE(area_.ScrolledBy(), 0);
    area_.WriteLine({});
    // Two lines more than fit whole: "Please enter Bmax !" below an
    // optimization list is drawn at the bottom, and the first line has left
    // the top.
    area_.WriteLine({"Please enter Bmax !"});
    QVERIFY(area_.ScrolledBy() > 0);
    const QImage image = area_.grab().toImage();
    QVERIFY(HasInk(image, area_.height() - line_height, area_.height()));
    QVERIFY(!HasInk(image, 0, area_.height() - line_height));
  }
};

namespace {
const RegisterGuiTest<TextAreaTest> registration("text_area_test");
}  // namespace

}  // namespace flyback

#include "text_area_test.moc"

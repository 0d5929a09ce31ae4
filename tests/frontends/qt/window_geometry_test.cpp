// Where Form1 and the design overview open in the part of the screen the
// panels leave free, and how far Form1 scrolls its page while a question is
// open. The figures are worked out by hand; the border is the one openbox
// draws around the overview (1 px at the sides, a 20 px title bar, a 5 px
// grip at the bottom), Form1's frame is 709 x 477 px around its
// 707 x 456 px, the question dialog's frame begins at 333 - 1 = 332,
// 467 - 20 = 447 and is 468 + 2 = 470 px wide (to x = 801), and the overview
// wants 1100 x 760 px, 748 x 400 px at least.

#include "window_geometry.h"

#include <QTest>
#include <cstddef>
#include <vector>

#include "gui_test_registry.h"

namespace flyback {

class WindowGeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void formStandsAtTheTopLeftOfTheFreeArea_data() {
    QTest::addColumn<QRect>("room");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("no panel") << QRect(0, 0, 1600, 1000) << QPoint(0, 0);
    QTest::newRow("30 px panel at the top") << QRect(0, 30, 1600, 970) << QPoint(0, 30);
    QTest::newRow("48 px dock at the left") << QRect(48, 0, 1552, 1000) << QPoint(48, 0);
  }

  void formStandsAtTheTopLeftOfTheFreeArea() {
    QFETCH(QRect, room);
    QFETCH(QPoint, corner);
    QCOMPARE(FormCorner(room), corner);
  }

  void overviewStandsBesideFormWithinTheFreeArea_data() {
    QTest::addColumn<QRect>("room");
    QTest::addColumn<int>("minimum_height");
    QTest::addColumn<QPoint>("corner");
    QTest::addColumn<QSize>("size");
    // Right of the dialog, which reaches further than Form1: at 802 + 8 =
    // 810; the room right of it, 1600 - 810 = 790, less the side borders:
    // 788 wide. 760 + 25 fits in 970.
    QTest::newRow("1600 x 1000, 30 px panel at the top")
        << QRect(0, 30, 1600, 970) << 400 << QPoint(810, 30) << QSize(788, 760);
    // 1500 - 810 - 2 = 688 is less than 748: 748 wide, at 1500 - 2 - 748 =
    // 750, right of Form1 but over the dialog's right end, so it ends 8 px
    // above the dialog: 447 - 8 - 25 = 414 high.
    QTest::newRow("1500 x 1000") << QRect(0, 0, 1500, 1000) << 400 << QPoint(750, 0)
                                 << QSize(748, 414);
    // 1024 - 810 - 2 = 212 is less than 748: 748 wide, at 1024 - 2 - 748 =
    // 274 over Form1's right part and over the dialog, 414 high.
    QTest::newRow("1024 x 600") << QRect(0, 0, 1024, 600) << 400 << QPoint(274, 0)
                                << QSize(748, 414);
    // Where the overview needs more height than there is above the dialog,
    // it takes the room's height, 600 - 25 = 575.
    QTest::newRow("1024 x 600, overview 420 px high at least")
        << QRect(0, 0, 1024, 600) << 420 << QPoint(274, 0) << QSize(748, 575);
    // Room for the whole overview right of the dialog.
    QTest::newRow("2560 x 1440") << QRect(0, 0, 2560, 1440) << 400 << QPoint(810, 0)
                                 << QSize(1100, 760);
    // Not even 748 fits: the width of the room, 640 - 2, over the dialog:
    // 414 high.
    QTest::newRow("640 x 480") << QRect(0, 0, 640, 480) << 400 << QPoint(0, 0) << QSize(638, 414);
    // Form1 at 48 ends at 757, before the dialog's 802: at 810, 788 wide.
    QTest::newRow("48 px dock at the left")
        << QRect(48, 0, 1552, 1000) << 400 << QPoint(810, 0) << QSize(788, 760);
    // Form1 at 200 ends at 909, right of the dialog: beside it at 917 there
    // are 1600 - 917 - 2 = 681 px, less than 748; at 1600 - 2 - 748 = 850,
    // over Form1's right part, clear of the dialog: 760 high.
    QTest::newRow("200 px dock at the left")
        << QRect(200, 0, 1400, 1000) << 400 << QPoint(850, 0) << QSize(748, 760);
  }

  void overviewStandsBesideFormWithinTheFreeArea() {
    QFETCH(QRect, room);
    QFETCH(int, minimum_height);
    QFETCH(QPoint, corner);
    QFETCH(QSize, size);
    const QRect form(FormCorner(room), QSize(709, 477));
    const QMargins border(1, 20, 1, 5);
    const QRect dialog = DialogFrame(QRect(QPoint(0, 0), room.bottomRight()), border, 1);
    QCOMPARE(dialog.topLeft(), QPoint(332, 447));
    QCOMPARE(dialog.width(), 470);
    const WindowPlace place =
        OverviewPlace(room, form, dialog, QSize(1100, 760), QSize(748, minimum_height), border, 8);
    QCOMPARE(place.corner, corner);
    QCOMPARE(place.size, size);
  }

  // A page of `count` lines, every 11 px, 13 px high, `width` px of ink;
  // line `odd_line` has `odd_width` instead. Form1's text area is 456 px
  // high; the dialog's frame from 332, 447 on the screen lies over it from
  // 331, 427 (Form1's client area begins at 1, 20), 470 px wide.
  void pageShowsItsLastLinesAboveTheDialog_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("odd_line");
    QTest::addColumn<int>("odd_width");
    QTest::addColumn<bool>("dialog_open");
    QTest::addColumn<int>("scroll");
    QTest::newRow("empty page") << 0 << 0 << -1 << 0 << true << 0;
    // The last line ends at 39 x 11 + 13 = 442, in the area.
    QTest::newRow("40 lines, no question") << 40 << 400 << -1 << 0 << false << 0;
    // ... but 442 - 427 = 15 px under the dialog.
    QTest::newRow("40 lines under the dialog") << 40 << 400 << -1 << 0 << true << 15;
    // Ink up to x = 331 ends where the dialog begins: beside it.
    QTest::newRow("40 lines left of the dialog") << 40 << 331 << -1 << 0 << true << 0;
    // Line 36 ends at 36 x 11 + 13 = 409, above 427.
    QTest::newRow("long rows above, short last lines beside")
        << 40 << 300 << 36 << 600 << true << 0;
    // Line 38 ends at 38 x 11 + 13 = 431: 431 - 427 = 4 px up.
    QTest::newRow("a long row one line too low") << 40 << 300 << 38 << 600 << true << 4;
    // 50 lines end at 49 x 11 + 13 = 552: 552 - 456 = 96 up.
    QTest::newRow("taller than the area") << 50 << 300 << -1 << 0 << true << 96;
    // Line 45 ends at 508, 96 up at 412, above the dialog.
    QTest::newRow("taller, a long row high enough") << 50 << 300 << 45 << 600 << true << 96;
    // Line 48 ends at 541: 541 - 427 = 114 up.
    QTest::newRow("taller, a long row under the dialog") << 50 << 300 << 48 << 600 << true << 114;
  }

  void pageShowsItsLastLinesAboveTheDialog() {
    QFETCH(int, count);
    QFETCH(int, width);
    QFETCH(int, odd_line);
    QFETCH(int, odd_width);
    QFETCH(bool, dialog_open);
    QFETCH(int, scroll);
    std::vector<QRect> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int line = 0; line < count; ++line) {
      lines.emplace_back(0, 11 * line, line == odd_line ? odd_width : width, 13);
    }
    const QRect dialog = dialog_open ? QRect(331, 427, 470, 120) : QRect();
    QCOMPARE(PageScroll(lines, 456, dialog), scroll);
  }
};

namespace {
const RegisterGuiTest<WindowGeometryTest> registration("window_geometry_test");
}  // namespace

}  // namespace flyback

#include "window_geometry_test.moc"

// Where Form1 and the design overview open in the part of the screen the
// panels leave free. The figures are worked out by hand; the border is the
// one openbox draws around the overview (1 px at the sides, a 20 px title
// bar, a 5 px grip at the bottom), Form1's frame is 709 x 477 px around its
// 707 x 456 px, the question dialog's frame begins at 333 - 1 = 332,
// 467 - 20 = 447 and is 468 + 2 = 470 px wide (to x = 801), and the overview
// wants 1100 x 760 px, 748 x 400 px at least.

#include "window_geometry.h"

#include <QTest>

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
};

namespace {
const RegisterGuiTest<WindowGeometryTest> registration("window_geometry_test");
}  // namespace

}  // namespace flyback

#include "window_geometry_test.moc"

// The tab "Alternatives" after the three-output demonstration design: the
// ranking arrives from its thread after the dialogue has gone on, one row
// per candidate (seven layer cores at nine airgaps, six at the airgap of the
// design's inductance, twelve slot-type transformers), the present
// transformer named so, and a design shown while one is ranked ranked next.

#include "alternatives_tab.h"

#include <QChart>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTest>

#include "gui_test_registry.h"
#include "transformer/demo_calculation.h"

namespace flyback {

class AlternativesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void ranksTheDemonstrationDesignBesideTheDialogue() {
    AlternativesTab tab(nullptr);
    const DesignState design = CalculatedWithComponents(ThreeOutputDemo());
    // Two designs in a row: the second waits for the first ranking.
    tab.DesignShown(design);
    tab.DesignShown(design);
    tab.WaitForRanking();
    QTableWidget* table = tab.table();
    QCOMPARE(table->rowCount(), 7 * 9 + 6 + 12);
    QCOMPARE(table->item(0, 0)->data(Qt::DisplayRole).toInt(), 1);
    QCOMPARE(
        table->findItems(QStringLiteral("SMT 31/190 (Orega) (present)"), Qt::MatchExactly).size(),
        1);
    auto* present = qobject_cast<QScatterSeries*>(tab.chart()->chart()->series().at(0));
    QVERIFY(present != nullptr);
    QCOMPARE(present->name(), QStringLiteral("present design"));
    // SMT 31/190 borrows the 11.5 cm³ of ETD 39/20/13 (docs/losses.md).
    QCOMPARE(present->count(), 1);
    QCOMPARE(present->at(0).x(), 11.5);
  }
};

namespace {
const RegisterGuiTest<AlternativesTabTest> registration("alternatives_tab_test");
}  // namespace

}  // namespace flyback

#include "alternatives_tab_test.moc"
